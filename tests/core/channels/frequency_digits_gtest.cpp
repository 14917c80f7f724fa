// No digit of a frequency is dropped on its way in: one table of texts, each taken through
// every path a frequency text comes in by (a field's parser, a typed cell, a CSV file in
// both layouts, pasted rows). A text with a digit finer than 10 Hz is refused with the
// step message wherever it comes from, and the channels stay as they were; trailing zeros
// are no digit.

#include <gtest/gtest.h>

#include "core/channels/ChannelCsv.h"
#include "core/channels/ChannelEditing.h"
#include "core/channels/ChannelFields.h"
#include "core/channels/ChannelRows.h"
#include "core/radio/RadioImage.h"

using namespace qx260;

namespace
{

constexpr BandLimits kBand{13000000, 16000000};
constexpr auto En = Language::English;

struct Row {
    const char* text;
    FieldRefusal refusal;
    const char* stored; // the Rx frequency channel 1 shows afterwards
};

const Row kRows[] = {
    {"146.52", FieldRefusal::None, "146.52000"},
    {"146.520000", FieldRefusal::None, "146.52000"},
    {"145.006250000000000", FieldRefusal::None, "145.00625"},
    {"145.001", FieldRefusal::OffStep, "145.12500"},
    {"146.5400001", FieldRefusal::OffStep, "145.12500"},
    {"145.00000625", FieldRefusal::OffStep, "145.12500"},
    {"146.540000000000001", FieldRefusal::OffStep, "145.12500"}, // past 15 significant digits
    {"160.0000001", FieldRefusal::OutOfRange, "145.12500"},      // above the top, not on it
    {"145.1250000001", FieldRefusal::OffStep, "145.12500"},      // not a restatement of 145.125
};

// Channel 1 holds 145.12500 on both sides; the rest are empty.
ChannelList before()
{
    RadioImage image = RadioImage::newImage();
    image.setRxFrequency(1, 14512500);
    image.setTxFrequency(1, 14512500);
    return decodeChannels(image);
}

// What an import or a paste did: the refusal its message id stands for, and channel 1.
void expectTaken(const ChannelImportResult& r, const Row& row, const char* path)
{
    SCOPED_TRACE(std::string(path) + ": " + row.text);
    if (row.refusal == FieldRefusal::None) {
        EXPECT_TRUE(r.ok()) << r.error.message;
    } else {
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.error.messageId, refusalMessageId(row.refusal));
    }
    EXPECT_EQ(frequencyText(r.channels.channel(1).rx), row.stored);
}

} // namespace

TEST(FrequencyDigits, EveryPathRefusesADroppedDigit)
{
    const ChannelList channels = before();
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.text);

        // The field's parser (qx260-cli set).
        const ParsedField parsed = parseField(ChannelField::RxFrequency, row.text, kBand);
        EXPECT_EQ(parsed.refusal, row.refusal);

        // A value typed into the channel window's cell.
        Channel typed = channels.channel(1);
        const EditOutcome outcome =
            commitField(typed, ChannelField::RxFrequency, row.text, CommitTrigger::Enter, kBand, 0, En);
        EXPECT_EQ(outcome.refusal, row.refusal);
        EXPECT_EQ(frequencyText(typed.rx), row.stored);

        // A CSV file in the program's layout and in the common one.
        const std::string program = std::string("CH,Rx Frequency\r\n1,") + row.text + "\r\n";
        expectTaken(importChannels(channels, {program}, kBand, 0, En), row, "program layout");
        const std::string common =
            std::string("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                        "DtcsPolarity,Mode,TStep,Skip,Comment\r\n1,,") +
            row.text + ",,0,,88.5,88.5,023,NN,FM,5,,\r\n";
        expectTaken(importChannels(channels, {common}, kBand, 0, En), row, "common layout");

        // Rows pasted from a spreadsheet.
        const std::string pasted = std::string("Rx Frequency\n") + row.text + "\n";
        expectTaken(pasteChannelRows(channels, pasted, 1, kBand, 0, En), row, "paste");
    }
}

// The common layout reckons Tx from an offset: a digit of the offset below 1 Hz is not cut.
TEST(FrequencyDigits, AnOffsetKeepsItsDigits)
{
    const ChannelList channels = before();
    const std::string common =
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,"
        "TStep,Skip,Comment\r\n1,,146.520000,+,0.6000001,,88.5,88.5,023,NN,FM,5,,\r\n";
    const ChannelImportResult r = importChannels(channels, {common}, kBand, 0, En);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(frequencyText(r.channels.channel(1).tx), "145.12500");
}
