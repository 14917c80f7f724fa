// The image's fields at their bytes: packed BCD frequency words, a new radio's defaults,
// channel fields at their offsets, the scan bits, flag writes that keep the other bits,
// and the transmit delay.

#include "core/radio/RadioImage.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace qx260;

TEST(FrequencyWord, PackedBcdLeastSignificantPairFirst)
{
    std::uint8_t w[4] = {};
    writeFrequencyWord(w, 14512500);
    EXPECT_EQ(w[0], 0x00);
    EXPECT_EQ(w[1], 0x25);
    EXPECT_EQ(w[2], 0x51);
    EXPECT_EQ(w[3], 0x14);
    EXPECT_EQ(readFrequencyWord(w), 14512500u);

    for (std::uint32_t v : {13000000u, 16000000u, 13601250u, 99999999u, 1000000u}) {
        writeFrequencyWord(w, v);
        EXPECT_EQ(readFrequencyWord(w), v) << v;
    }
}

TEST(FrequencyWord, EmptyByLastByteAndZeroWritesEmpty)
{
    const std::uint8_t zeroLast[4] = {0x12, 0x34, 0x56, 0x00};
    const std::uint8_t ffLast[4] = {0x00, 0x25, 0x51, 0xFF};
    EXPECT_FALSE(readFrequencyWord(zeroLast));
    EXPECT_FALSE(readFrequencyWord(ffLast));

    std::uint8_t w[4] = {1, 2, 3, 4};
    writeFrequencyWord(w, 0);
    for (auto b : w)
        EXPECT_EQ(b, 0xFF);

    // Nibbles above 9 count with their face value.
    const std::uint8_t odd[4] = {0x0A, 0x00, 0x00, 0x01};
    EXPECT_EQ(readFrequencyWord(odd), 1000010u);
}

TEST(RadioImage, NewImageHoldsFactoryDefaults)
{
    const RadioImage image = RadioImage::newImage();
    int changed = 0;
    for (std::size_t i = 0; i < kImageSize; ++i)
        changed += image.byte(i) != 0xFF;
    EXPECT_EQ(changed, 15);
    EXPECT_EQ(image.byte(offset::TimeOutTime), 0x28);
    EXPECT_EQ(image.byte(offset::SquelchLevel), 0x04);
    EXPECT_EQ(image.byte(offset::VoxGainLevel), 0x05);
    EXPECT_EQ(image.byte(offset::BandIndex), 0x02);
    EXPECT_EQ(image.byte(offset::ProductType), 0x00);
    EXPECT_EQ(image.byte(0x3F1), 0x03);
    EXPECT_EQ(image.transmitDelay(), 0);
    for (int n = 1; n <= kChannelCount; ++n) {
        EXPECT_FALSE(image.rxFrequency(n));
        EXPECT_FALSE(image.txFrequency(n));
        EXPECT_TRUE(image.scan(n));
    }
}

TEST(RadioImage, ChannelFieldsLandAtTheirOffsets)
{
    RadioImage image;
    image.setRxFrequency(1, 14512500);
    EXPECT_EQ(image.byte(0x13), 0x14);
    image.setTxFrequency(16, 15000000);
    EXPECT_EQ(image.byte(16 * 16 + 7), 0x15);
    EXPECT_EQ(image.txFrequency(16), 15000000u);

    image.setDecodeTone(2, ToneWord{0xEC, 0x29});
    EXPECT_EQ(image.byte(0x28), 0xEC);
    EXPECT_EQ(image.byte(0x29), 0x29);
    image.setEncodeTone(2, ToneWord{0x9E, 0x02});
    EXPECT_EQ(image.encodeTone(2), (ToneWord{0x9E, 0x02}));

    EXPECT_THROW(RadioImage::channelOffset(0), std::out_of_range);
    EXPECT_THROW(RadioImage::channelOffset(17), std::out_of_range);
    EXPECT_THROW(RadioImage::channelOffset(1, 16), std::out_of_range);
    EXPECT_THROW(image.setScan(0, true), std::out_of_range);
}

TEST(RadioImage, ScanBitmapOneBitPerChannel)
{
    RadioImage image;
    image.setByte(offset::ScanBitmap, 0);
    image.setByte(offset::ScanBitmap + 1, 0);
    image.setScan(8, true);
    image.setScan(9, true);
    EXPECT_EQ(image.byte(0x17E), 0x80);
    EXPECT_EQ(image.byte(0x17F), 0x01);
    image.setScan(8, false);
    EXPECT_EQ(image.byte(0x17E), 0x00);
    EXPECT_TRUE(image.scan(9));
    EXPECT_FALSE(image.scan(16));
}

TEST(RadioImage, FlagWritesKeepTheOtherBits)
{
    RadioImage image;
    image.setChannelByte(3, field::BusyLock, 0xA5);       // 1010 0101: bits 4-3 = 00
    image.setChannelByte(3, field::BandwidthPower, 0xC3); // 1100 0011
    EXPECT_EQ(image.busyLock(3), BusyLock::Off);

    image.setBusyLock(3, BusyLock::Carrier);
    EXPECT_EQ(image.channelByte(3, field::BusyLock), 0xAD);
    image.setBusyLock(3, BusyLock::QtDqt);
    EXPECT_EQ(image.channelByte(3, field::BusyLock), 0xB5);
    image.setBusyLock(3, BusyLock::Off);
    EXPECT_EQ(image.channelByte(3, field::BusyLock), 0xA5);

    image.setWide(3, true);
    image.setHighPower(3, true);
    EXPECT_EQ(image.channelByte(3, field::BandwidthPower), 0xF3);
    image.setWide(3, false);
    EXPECT_EQ(image.channelByte(3, field::BandwidthPower), 0xE3);
    EXPECT_TRUE(image.highPower(3));
    EXPECT_FALSE(image.wide(3));

    image.setChannelByte(4, field::BusyLock, 0x18);
    EXPECT_EQ(image.busyLock(4), BusyLock::QtDqt);
}

TEST(RadioImage, TransmitDelayLowByteFirst)
{
    RadioImage image;
    image.setTransmitDelay(1800);
    EXPECT_EQ(image.byte(0x13C), 0x08);
    EXPECT_EQ(image.byte(0x13D), 0x07);
    image.setByte(0x13C, 0xFF);
    EXPECT_EQ(image.transmitDelay(), 0x07FF);
}
