// The typed channel: the codec with the image (every image comes back byte for byte), each
// field's text and parser, what the window shows per radio variant, and the commit rules
// over values, one table row per case.

#include <gtest/gtest.h>

#include <clocale>
#include <random>
#include <string>
#include <vector>

#include "core/channels/Channel.h"
#include "core/channels/ChannelEditing.h"
#include "core/channels/ChannelFields.h"
#include "core/radio/Tones.h"
#include "res/ResourceIds.h"
#include "tests/support/TestSystem.h"

namespace qx260
{
namespace
{

using Texts = std::array<std::string, 8>; // fields 1..8

constexpr auto En = Language::English;
constexpr auto Zh = Language::Chinese;
const BandLimits kBand{13000000, 16000000};

// A channel from the texts the window would show for it under variant 0; an empty text
// leaves the field as a new Channel has it.
Channel channelOf(const Texts& texts)
{
    Channel c;
    for (ChannelField f : kChannelFields) {
        const std::string& text = texts[static_cast<std::size_t>(columnOf(f) - 1)];
        if (text.empty())
            continue;
        const ParsedField parsed = parseField(f, text, BandLimits{0, 99999999});
        EXPECT_TRUE(parsed.ok()) << text;
        setField(c, f, parsed.value);
    }
    return c;
}

Texts shown(const Channel& c, int variant = 0, Language language = En)
{
    return shownFieldTexts(c, variant, language);
}

RadioImage randomImage(unsigned seed)
{
    std::mt19937 random(seed);
    RadioImage image;
    for (auto& b : image.bytes())
        b = static_cast<std::uint8_t>(random());
    return image;
}

TEST(ChannelCodec, EveryImageComesBackByteForByte)
{
    std::vector<RadioImage> images{RadioImage(), RadioImage::newImage()};
    RadioImage zeros;
    zeros.bytes().fill(0);
    images.push_back(zeros);
    for (unsigned seed = 1; seed <= 20; ++seed)
        images.push_back(randomImage(seed));
    for (std::size_t i = 0; i < images.size(); ++i) {
        SCOPED_TRACE(i);
        const ChannelList channels = decodeChannels(images[i]);
        RadioImage back = images[i];
        encodeChannels(channels, back);
        EXPECT_EQ(back, images[i]);
        // and the other way round: a list stored and read again is the same list
        RadioImage other = randomImage(7);
        encodeChannels(channels, other);
        EXPECT_EQ(decodeChannels(other), channels);
    }
}

TEST(ChannelCodec, StoredFormsAreRead)
{
    RadioImage image = RadioImage::newImage();
    // channel 1: 145.125 MHz receive, an empty word ending in 0x00, tones 67.0 and D754I
    const std::uint8_t rec1[16] = {0x00, 0x25, 0x51, 0x14, 0x12, 0x34, 0x56, 0x00,
                                   0x9E, 0x02, 0xEC, 0xA9, 0xEF, 0xC5, 0x12, 0x34};
    // channel 2: a digit above 9, no tone with a low byte, code 017 (never offered), bits 11
    const std::uint8_t rec2[16] = {0x00, 0x00, 0x5A, 0x14, 0xFF, 0xFF, 0xFF, 0xFF,
                                   0x34, 0x00, 0x0F, 0x28, 0x18, 0x00, 0x00, 0x00};
    for (int k = 0; k < 16; ++k) {
        image.setChannelByte(1, k, rec1[k]);
        image.setChannelByte(2, k, rec2[k]);
    }
    image.setByte(offset::ScanBitmap, 0x00);
    image.setByte(offset::ScanBitmap + 1, 0x01); // channel 9

    const ChannelList list = decodeChannels(image);
    const Channel& c1 = list.channel(1);
    EXPECT_EQ(c1.rx.units(), 14512500u);
    EXPECT_TRUE(c1.rx.showable());
    EXPECT_TRUE(c1.tx.empty());
    EXPECT_EQ(c1.decodeTone.kind(), Tone::Kind::Analogue);
    EXPECT_EQ(c1.decodeTone.tenths(), 670);
    EXPECT_EQ(c1.encodeTone.kind(), Tone::Kind::InvertedCode);
    EXPECT_EQ(c1.encodeTone.codeNumber(), 754);
    EXPECT_EQ(c1.busyLock, BusyLock::Carrier);
    EXPECT_EQ(c1.bandwidth, Bandwidth::Narrow);
    EXPECT_EQ(c1.power, Power::Low);
    EXPECT_FALSE(c1.scan);
    EXPECT_EQ(shown(c1), (Texts{"145.12500", "", "67.0", "D754I", "Narrow", "No", "Carrier", "Low"}));

    const Channel& c2 = list.channel(2);
    EXPECT_FALSE(c2.rx.showable());
    EXPECT_TRUE(c2.decodeTone.none());
    EXPECT_EQ(toneText(c2.encodeTone, En), "D017N");
    EXPECT_EQ(c2.busyLock, BusyLock::QtDqt);
    EXPECT_TRUE(list.channel(9).scan);
    EXPECT_FALSE(list.channel(8).scan);

    // Changing one field of channel 2 writes that field and keeps every other byte.
    ChannelList edited = list;
    edited.channel(2).power = Power::High;
    RadioImage stored = image;
    encodeChannels(edited, stored);
    EXPECT_EQ(stored.channelByte(2, 13), 0x20);
    stored.setChannelByte(2, 13, 0x00);
    EXPECT_EQ(stored, image);
}

TEST(ChannelCodec, ValuesAreStoredAsTheRadioKeepsThem)
{
    struct Case {
        const char* name;
        Channel channel;
        std::array<std::uint8_t, 16> record;
    };
    Channel typed;
    typed.rx = Frequency::ofUnits(14512500);
    typed.tx = Frequency::ofUnits(13601250);
    typed.decodeTone = Tone::code(23, false);
    typed.encodeTone = Tone::code(411, false);
    typed.bandwidth = Bandwidth::Narrow;
    typed.busyLock = BusyLock::Carrier;
    typed.power = Power::Low;
    Channel otherBits;
    otherBits.stored = {0xE7, 0xC5, {0x12, 0x34}};
    otherBits.busyLock = BusyLock::Carrier;
    otherBits.bandwidth = Bandwidth::Narrow;
    otherBits.power = Power::Low;
    const std::vector<Case> cases = {
        {"typed values",
         typed,
         {0x00, 0x25, 0x51, 0x14, 0x50, 0x12, 0x60, 0x13, 0x13, 0x28, 0x09, 0x29, 0xEF, 0xCF, 0xFF, 0xFF}},
        {"bits no field stands for stay",
         otherBits,
         {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xEF, 0xC5, 0x12, 0x34}},
        // An erased channel: empty words, no tones, busy lock QT/DQT (one bit), wide, high.
        {"erased",
         erasedChannel(otherBits),
         {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xF7, 0xF5, 0x12, 0x34}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.channel.record(), c.record);
    }
    EXPECT_FALSE(erasedChannel(typed).scan);
    EXPECT_TRUE(Frequency::ofUnits(0).empty());
    EXPECT_TRUE(Frequency::ofUnits(100000000).empty()); // nine digits: no frequency word holds it
    EXPECT_EQ(Frequency::ofUnits(99999999).units(), 99999999u);
}

TEST(ChannelFields, TextsInBothLanguagesAndWhatEachVariantShows)
{
    const Channel full =
        channelOf({"145.12500", "146.00000", "67.0", "D023N", "Narrow", "Yes", "Carrier", "Low"});
    const Channel txOnly = channelOf({"", "145.12500", "", "", "Narrow", "Yes", "", ""});
    const Channel rxOnly = channelOf({"145.12500", "", "None", "", "", "", "Off", ""});
    struct Case {
        const char* name;
        Channel channel;
        int variant;
        Language language;
        Texts expected;
    };
    const std::vector<Case> cases = {
        {"all fields",
         full,
         0,
         En,
         {"145.12500", "146.00000", "67.0", "D023N", "Narrow", "Yes", "Carrier", "Low"}},
        {"Chinese", full, 0, Zh, {"145.12500", "146.00000", "67.0", "D023N", "窄", "是", "载波", "低"}},
        {"variant 1 hides the transmit side",
         full,
         1,
         En,
         {"145.12500", "", "67.0", "", "Narrow", "Yes", "Carrier", "Low"}},
        {"variant 2 hides the receive side",
         full,
         2,
         En,
         {"", "146.00000", "", "D023N", "Narrow", "Yes", "Carrier", "Low"}},
        {"a transmit-only channel is empty for variant 1", txOnly, 1, En, {}},
        {"and not for variant 2",
         txOnly,
         2,
         En,
         {"", "145.12500", "", "None", "Narrow", "Yes", "QT/DQT", "High"}},
        {"nor for variant 0",
         txOnly,
         0,
         En,
         {"", "145.12500", "None", "None", "Narrow", "Yes", "QT/DQT", "High"}},
        {"a receive-only channel", rxOnly, 0, Zh, {"145.12500", "", "无", "无", "宽", "否", "关", "高"}},
        {"an empty channel shows nothing", Channel(), 0, En, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(shown(c.channel, c.variant, c.language), c.expected);
    }
    // A tone in a channel shown empty is shown all the same.
    Channel toneOnly;
    toneOnly.encodeTone = Tone::analogue(670);
    EXPECT_EQ(shown(toneOnly), (Texts{"", "", "", "67.0", "", "", "", ""}));
}

TEST(ChannelFields, EveryListedValueSurvivesTextAndImage)
{
    std::vector<std::string> texts = buildToneList(Language::English);
    const std::vector<std::string> chinese = buildToneList(Language::Chinese);
    texts.push_back(chinese.front());
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        const ParsedField parsed = parseField(ChannelField::EncodeTone, text, kBand);
        ASSERT_TRUE(parsed.ok());
        const Tone tone = std::get<Tone>(parsed.value);
        EXPECT_EQ(toneText(Tone::fromWord(tone.word()), text == "无" ? Zh : En), text);
    }
    for (const char* text : {"130.00000", "136.01250", "145.01250", "145.12500", "159.99375", "160.00000"}) {
        SCOPED_TRACE(text);
        const Frequency f = std::get<Frequency>(parseField(ChannelField::RxFrequency, text, kBand).value);
        EXPECT_EQ(frequencyText(Frequency::fromWord(f.word())), text);
    }
}

TEST(ChannelFields, ParsersTakeWhatUsersTypeAndRefuseTheRest)
{
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    ASSERT_NE(std::setlocale(LC_ALL, testsystem::kDecimalCommaLocale), nullptr)
        << "the decimal-comma locale is missing; scripts/install-deps.sh makes it";

    using F = ChannelField;
    using R = FieldRefusal;
    struct Case {
        F field;
        const char* text;
        R refusal;
        std::string shownAs; // fieldText of the value taken (empty text: empty value)
    };
    const std::vector<Case> cases = {
        {F::RxFrequency, "130", R::None, "130.00000"},
        {F::RxFrequency, "160", R::None, "160.00000"},
        {F::RxFrequency, " 145.5 ", R::None, "145.50000"},
        {F::RxFrequency, "136.0125", R::None, "136.01250"}, // exact, where a double multiplication is not
        {F::RxFrequency, "130.2", R::None, "130.20000"},
        {F::RxFrequency, "145.0125", R::None, "145.01250"},
        {F::RxFrequency, "145.005", R::None, "145.00500"},
        {F::TxFrequency, "", R::None, ""},
        {F::RxFrequency, "129.99375", R::OutOfRange, ""},
        {F::RxFrequency, "160.005", R::OutOfRange, ""},
        {F::RxFrequency, "1000000", R::OutOfRange, ""},
        {F::RxFrequency, "145.001", R::OffStep, ""},
        {F::RxFrequency, "145.006249", R::OffStep, ""},
        {F::RxFrequency, "146,52", R::NotANumber, ""},
        {F::RxFrequency, "145.5MHz", R::NotANumber, ""},
        {F::RxFrequency, "1e10", R::NotANumber, ""},
        {F::RxFrequency, "-145", R::NotANumber, ""},
        {F::RxFrequency, "145 .5", R::NotANumber, ""},
        {F::RxFrequency, "1.45e2", R::NotANumber, ""},
        {F::DecodeTone, "None", R::None, "None"},
        {F::DecodeTone, "none", R::None, "None"},
        {F::DecodeTone, "无", R::None, "None"},
        {F::DecodeTone, "67.0", R::None, "67.0"},
        {F::DecodeTone, "100", R::None, "100.0"},
        {F::EncodeTone, "88.50", R::None, "88.5"},
        {F::EncodeTone, "d023n", R::None, "D023N"},
        {F::EncodeTone, "D754I", R::None, "D754I"},
        {F::EncodeTone, "D017N", R::NotAChoice, ""}, // a code the list does not offer
        {F::EncodeTone, "62.5", R::NotAChoice, ""},
        {F::EncodeTone, "67,0", R::ToneNotANumber, ""},
        {F::EncodeTone, "x", R::NotAChoice, ""},
        {F::DecodeTone, "555555555555555554", R::NotAChoice, ""}, // far beyond every tone
        {F::DecodeTone, "922337203685477.5", R::NotAChoice, ""},
        {F::Bandwidth, "narrow", R::None, "Narrow"},
        {F::Bandwidth, "宽", R::None, "Wide"},
        {F::Bandwidth, "wide?", R::NotAChoice, ""},
        {F::Scan, "YES", R::None, "Yes"},
        {F::Scan, "否", R::None, "No"},
        {F::BusyLock, "qt/dqt", R::None, "QT/DQT"},
        {F::BusyLock, "载波", R::None, "Carrier"},
        {F::Power, "Low", R::None, "Low"},
        {F::Power, "", R::NotAChoice, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const ParsedField parsed = parseField(c.field, c.text, kBand);
        EXPECT_EQ(parsed.refusal, c.refusal);
        if (!parsed.ok())
            continue;
        Channel channel = channelOf({"150", "150", "", "", "", "", "", ""});
        setField(channel, c.field, parsed.value);
        EXPECT_EQ(fieldText(channel, c.field, En), c.shownAs);
    }
    EXPECT_EQ(parseField(F::RxFrequency, "145", BandLimits{}).refusal,
              R::OutOfRange); // no band: nothing fits
    EXPECT_EQ(refusalMessageId(R::OffStep), resid::StrStepValueError);
    EXPECT_EQ(refusalMessageId(R::NotAChoice), 0);
    std::setlocale(LC_ALL, saved.c_str());
}

struct CommitCase {
    const char* name;
    CommitTrigger trigger;
    ChannelField field;
    Texts start;
    std::string text;
    FieldRefusal refusal;
    Texts expected; // as shown for variant 0
};

const Texts kEmpty{};
const Texts kChannel{"145.00000", "146.00000", "67.0", "D023N", "Narrow", "Yes", "Carrier", "Low"};
const Texts kRxOnly{"145.00000", "", "67.0", "None", "Narrow", "Yes", "Carrier", "Low"};
const Texts kTxOnly{"", "146.00000", "None", "D023N", "Narrow", "No", "Carrier", "Low"};

Texts with(Texts texts, ChannelField f, std::string text)
{
    texts[static_cast<std::size_t>(columnOf(f) - 1)] = std::move(text);
    return texts;
}

TEST(CommitField, FollowsTheCommitRulesForEveryFieldAndTrigger)
{
    constexpr auto Enter = CommitTrigger::Enter;
    constexpr auto Leave = CommitTrigger::LeaveCell;
    using F = ChannelField;
    using R = FieldRefusal;
    const std::vector<CommitCase> cases = {
        {"rx new channel, Enter",
         Enter,
         F::RxFrequency,
         kEmpty,
         "150",
         R::None,
         {"150.00000", "150.00000", "None", "None", "Wide", "No", "Off", "High"}},
        {"rx new channel, LeaveCell",
         Leave,
         F::RxFrequency,
         kEmpty,
         "150",
         R::None,
         {"150.00000", "", "None", "None", "Wide", "No", "Off", "High"}},
        {"rx existing channel keeps its settings", Enter, F::RxFrequency, kChannel, "145.5", R::None,
         with(kChannel, F::RxFrequency, "145.50000")},
        {"rx with blanks around", Leave, F::RxFrequency, kChannel, " 145.5 ", R::None,
         with(kChannel, F::RxFrequency, "145.50000")},
        {"rx erased, Enter", Enter, F::RxFrequency, kChannel, "", R::None, kEmpty},
        {"rx erased, LeaveCell", Leave, F::RxFrequency, kChannel, "", R::None, kEmpty},
        // a refused frequency leaves the channel as it was
        {"rx out of range, Enter", Enter, F::RxFrequency, kChannel, "129.99375", R::OutOfRange, kChannel},
        {"rx out of range, LeaveCell", Leave, F::RxFrequency, kChannel, "160.005", R::OutOfRange, kChannel},
        {"rx off step, Enter", Enter, F::RxFrequency, kChannel, "145.001", R::OffStep, kChannel},
        {"rx off step, LeaveCell", Leave, F::RxFrequency, kChannel, "145.006249", R::OffStep, kChannel},
        {"rx not a number", Enter, F::RxFrequency, kChannel, "146,52", R::NotANumber, kChannel},
        {"rx with a unit", Leave, F::RxFrequency, kChannel, "145.5MHz", R::NotANumber, kChannel},
        {"tx erased, Enter: follows Rx", Enter, F::TxFrequency, kChannel, "", R::None,
         with(kChannel, F::TxFrequency, "145.00000")},
        {"tx erased, LeaveCell: clears the channel", Leave, F::TxFrequency, kChannel, "", R::None, kEmpty},
        {"tx erased in a Tx-only channel, Enter: the channel goes", Enter, F::TxFrequency, kTxOnly, "",
         R::None, kEmpty},
        {"tx out of range, Enter", Enter, F::TxFrequency, kChannel, "170", R::OutOfRange, kChannel},
        {"tx out of range, LeaveCell", Leave, F::TxFrequency, kChannel, "170", R::OutOfRange, kChannel},
        {"tx off step, Enter", Enter, F::TxFrequency, kChannel, "145.001", R::OffStep, kChannel},
        {"tx off step, LeaveCell", Leave, F::TxFrequency, kChannel, "145.001", R::OffStep, kChannel},
        {"tx not a number", Leave, F::TxFrequency, kTxOnly, "146.52.3", R::NotANumber, kTxOnly},
        {"tx valid, Enter", Enter, F::TxFrequency, kChannel, "147.5", R::None,
         with(kChannel, F::TxFrequency, "147.50000")},
        {"tx valid, LeaveCell", Leave, F::TxFrequency, kChannel, "147.5", R::None,
         with(kChannel, F::TxFrequency, "147.50000")},
        // a Tx frequency typed into an empty row makes a Tx-only channel however it is confirmed
        {"tx into empty row, Enter",
         Enter,
         F::TxFrequency,
         kEmpty,
         "147.5",
         R::None,
         {"", "147.50000", "None", "None", "Wide", "No", "Off", "High"}},
        {"tx into empty row, LeaveCell",
         Leave,
         F::TxFrequency,
         kEmpty,
         "147.5",
         R::None,
         {"", "147.50000", "None", "None", "Wide", "No", "Off", "High"}},
        {"tx first set by LeaveCell takes the defaults",
         Leave,
         F::TxFrequency,
         kRxOnly,
         "147.5",
         R::None,
         {"145.00000", "147.50000", "67.0", "None", "Wide", "No", "Off", "High"}},
        {"tx of a Tx-only channel, Enter", Enter, F::TxFrequency, kTxOnly, "147.5", R::None,
         with(kTxOnly, F::TxFrequency, "147.50000")},
        // settings
        {"setting on a channel", Enter, F::Bandwidth, kChannel, "Wide", R::None,
         with(kChannel, F::Bandwidth, "Wide")},
        {"setting in the other language", Enter, F::Power, kChannel, "高", R::None,
         with(kChannel, F::Power, "High")},
        {"setting on an empty row is dropped", Leave, F::BusyLock, kEmpty, "Off", R::None, kEmpty},
        {"setting on a Tx-only channel", Leave, F::Scan, kTxOnly, "Yes", R::None,
         with(kTxOnly, F::Scan, "Yes")},
        {"a list choice replaces a code the list does not offer", Enter, F::DecodeTone,
         with(kChannel, F::DecodeTone, "D017N"), "None", R::None, with(kChannel, F::DecodeTone, "None")},
        {"a value that is no choice", Enter, F::Scan, kChannel, "maybe", R::NotAChoice, kChannel},
        // an untouched empty frequency cell never clears a channel
        {"untouched empty rx, Enter", Enter, F::RxFrequency, kTxOnly, "", R::None, kTxOnly},
        {"untouched empty rx, LeaveCell", Leave, F::RxFrequency, kTxOnly, "", R::None, kTxOnly},
        {"untouched empty tx, LeaveCell", Leave, F::TxFrequency, kRxOnly, "", R::None, kRxOnly},
        // the text a field shows already is no change
        {"same frequency", Enter, F::RxFrequency, kChannel, "145", R::None, kChannel},
        {"same tone", Leave, F::EncodeTone, kChannel, "D023N", R::None, kChannel},
    };
    for (const CommitCase& c : cases) {
        SCOPED_TRACE(c.name);
        // D017N is no choice of the list: it comes as stored
        Channel channel = channelOf(with(c.start, F::DecodeTone, ""));
        if (c.start[2] == "D017N")
            channel.decodeTone = Tone::fromWord({0x0F, 0x28});
        else
            channel = channelOf(c.start);
        const EditOutcome outcome = commitField(channel, c.field, c.text, c.trigger, kBand, 0, En);
        EXPECT_EQ(outcome.refusal, c.refusal);
        EXPECT_EQ(shown(channel), c.expected);
        EXPECT_EQ(outcome.changed, c.expected != c.start);
    }
}

TEST(CommitField, LeavesWhatTheVariantHides)
{
    using F = ChannelField;
    Channel both = channelOf(kChannel);
    both.stored.tail = {0x12, 0x34};

    // Variant 1: a new receive channel over a stored transmit side keeps that side.
    Channel txOnly = channelOf(kTxOnly);
    EXPECT_TRUE(commitField(txOnly, F::RxFrequency, "150", CommitTrigger::Enter, kBand, 1, En).changed);
    EXPECT_EQ(shown(txOnly), (Texts{"150.00000", "146.00000", "None", "D023N", "Wide", "No", "Off", "High"}));

    // Variant 2: a new transmit channel keeps the receive side and its scan bit.
    Channel rxOnly = channelOf(kRxOnly);
    EXPECT_TRUE(commitField(rxOnly, F::TxFrequency, "147.5", CommitTrigger::Enter, kBand, 2, En).changed);
    EXPECT_EQ(shown(rxOnly), (Texts{"145.00000", "147.50000", "67.0", "None", "Wide", "Yes", "Off", "High"}));

    // A field the variant hides is never taken; erasing takes the whole channel, both sides.
    for (int variant : {1, 2}) {
        SCOPED_TRACE(variant);
        Channel c = both;
        const F hidden = variant == 1 ? F::TxFrequency : F::RxFrequency;
        EXPECT_FALSE(commitField(c, hidden, "150", CommitTrigger::Enter, kBand, variant, En).changed);
        EXPECT_EQ(c, both);
        const F visible = variant == 1 ? F::RxFrequency : F::TxFrequency;
        EXPECT_TRUE(commitField(c, visible, "", CommitTrigger::LeaveCell, kBand, variant, En).changed);
        EXPECT_EQ(shown(c), kEmpty);
        EXPECT_EQ(c.stored.tail, both.stored.tail);
    }
}

TEST(CommitField, NewChannelDefaultsAndSameTextsInChinese)
{
    Channel c;
    commitField(c, ChannelField::RxFrequency, "150", CommitTrigger::Enter, kBand, 0, Zh);
    EXPECT_EQ(shown(c, 0, Zh), (Texts{"150.00000", "150.00000", "无", "无", "宽", "否", "关", "高"}));
    EXPECT_FALSE(commitField(c, ChannelField::Bandwidth, "宽", CommitTrigger::Enter, kBand, 0, Zh).changed);
    // An off-list tone confirmed as the editor offers it stays as stored.
    c.decodeTone = Tone::fromWord({0x00, 0x28}); // shown D000N
    const Channel before = c;
    EXPECT_FALSE(
        commitField(c, ChannelField::DecodeTone, "D000N", CommitTrigger::Enter, kBand, 0, Zh).changed);
    EXPECT_EQ(c, before);
    // A stored word no text gives back (a digit above 9) stays until another value is typed.
    c.rx = Frequency::fromWord({0x00, 0x00, 0x5A, 0x14});
    const Channel odd = c;
    EXPECT_FALSE(
        commitField(c, ChannelField::RxFrequency, frequencyText(c.rx), CommitTrigger::Enter, kBand, 0, Zh)
            .changed);
    EXPECT_EQ(c, odd);
    EXPECT_TRUE(commitField(c, ChannelField::RxFrequency, "145", CommitTrigger::Enter, kBand, 0, Zh).changed);
    EXPECT_TRUE(c.rx.showable());
}

TEST(CommitField, ChannelsOutsideTheBandAreNamed)
{
    ChannelList list;
    list.channel(2) = channelOf(with(kEmpty, ChannelField::RxFrequency, "145"));
    list.channel(5) = channelOf(with(kEmpty, ChannelField::RxFrequency, "170"));
    list.channel(7) = channelOf(with(kEmpty, ChannelField::TxFrequency, "170"));
    EXPECT_EQ(channelsOutsideBand(list, kBand, 0), (std::vector<int>{5, 7}));
    EXPECT_EQ(channelsOutsideBand(list, kBand, 1), (std::vector<int>{5})); // channel 7's Tx is hidden
}

} // namespace
} // namespace qx260
