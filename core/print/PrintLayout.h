#pragma once
// The printout of a document as a list of draw operations per page, in twips
// (1440 to the inch) from the top left corner of the printable area, y downwards.
//
// Page 1 lists the radio-wide optional features; every further page lists up to eight
// used channels (rows whose Rx Frequency cell is not empty). Every page carries a title,
// a double rule under it, a rule above the footer, the footer text and "Page %d of %d".
//
// The layout decides every position; the output device only tells the line height of
// its fonts (PrintFontMetrics) and draws the operations.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/config/Texts.h"
#include "core/radio/RadioImage.h"

namespace qx260
{

class CIniFile;
struct ProcessValues;

constexpr int kTwipsPerInch = 1440;
constexpr int kChannelsPerPrintPage = 8;

enum class PrintFont { Large, Small };

// A font request in twips: character height and average character width.
struct PrintFontSize {
    int height = 0;
    int width = 0;
    friend bool operator==(const PrintFontSize&, const PrintFontSize&) = default;
};

// The printable area in twips and the units derived from it.
struct PrintGeometry {
    int width = 0;
    int height = 0;

    // Pixels and pixels per inch of the device; integer arithmetic, multiplying first.
    static PrintGeometry fromDevice(int widthPixels, int heightPixels, int dpiX, int dpiY);

    int columnUnit() const { return width / 66; } // u
    int rowUnit() const { return height / 45; }   // v
    PrintFontSize largeFont() const { return {rowUnit(), columnUnit()}; }
    // 0.8 of the large font, each dimension truncated.
    PrintFontSize smallFont() const { return {rowUnit() * 4 / 5, columnUnit() * 4 / 5}; }
};

// Line height (character cell height plus external leading) of a font on the output device.
class PrintFontMetrics
{
  public:
    virtual ~PrintFontMetrics() = default;
    virtual int lineHeight(const PrintFontSize& size) const = 0;
};

struct PrintOp {
    enum class Kind { Text, Rule };
    Kind kind = Kind::Text;
    PrintFont font = PrintFont::Large; // the font selected when the operation is drawn
    int x = 0;                         // text: left edge; rule: start
    int y = 0;                         // text: top edge; rule: its height on the page
    int x2 = 0;                        // rule: end
    std::string text;

    friend bool operator==(const PrintOp&, const PrintOp&) = default;
};

// Everything a printout shows, taken from the document when printing starts.
struct PrintContent {
    // Cells (row, column) of the channel table, rows 0..16, columns 0..8.
    std::array<std::array<std::string, 9>, 17> cells;
    // Busy Lock and Power are printed only while the window shows them.
    bool busyLockAndPower = false;
    RadioImage::Bytes image{};
    Language language = Language::English;
    std::string footer; // "Copyrights Owner" of the language's section
};

// How a printout shows the channels: as the window shows them for a radio variant, with Busy
// Lock and Power while the window shows them.
struct PrintView {
    int radioVariant = 1;
    bool busyLockAndPower = false;
};

// The printout's content from a document's image: its channels as the window shows them, in
// the language given; the footer from the section of the configuration named by
// languageName (empty when missing).
PrintContent printContent(const RadioImage& image, PrintView view, const CIniFile& config,
                          const std::string& languageName, Language language);
// The same with the running program's configuration and language.
PrintContent printContent(const RadioImage& image, PrintView view, const ProcessValues& values);

class PrintLayout
{
  public:
    static constexpr int kPageTableSize = 3;

    PrintLayout(PrintContent content, PrintGeometry geometry, const PrintFontMetrics& metrics);

    int usedChannels() const { return usedChannels_; }
    int pageCount() const { return 1 + (usedChannels_ + kChannelsPerPrintPage - 1) / kChannelsPerPrintPage; }
    // Entry 0 is 0; entry k the row of the (8k)-th used channel, or 16 when there are fewer.
    const std::array<int, kPageTableSize>& pageTable() const { return pageTable_; }
    // The used rows printed on page p (none for page 1 and for pages out of range).
    std::vector<int> rowsOnPage(int page) const;

    // The draw operations of page p (1-based) in drawing order; empty out of range.
    std::vector<PrintOp> page(int page) const;

    const PrintGeometry& geometry() const { return geometry_; }
    PrintFontSize fontSize(PrintFont font) const;
    int lineHeight(PrintFont font) const { return font == PrintFont::Large ? largeLine_ : smallLine_; }

  private:
    void countUsedChannels();
    void addFrame(std::vector<PrintOp>& ops) const;
    void addOptionsBody(std::vector<PrintOp>& ops) const;
    void addChannelBody(std::vector<PrintOp>& ops, int page) const;
    void addFooter(std::vector<PrintOp>& ops, int page) const;
    // A text of the catalogue in the printout's language.
    const char* words(Text id) const { return textOf(id, content_.language); }

    PrintContent content_;
    PrintGeometry geometry_;
    int largeLine_ = 0;
    int smallLine_ = 0;
    int usedChannels_ = 0;
    std::array<int, kPageTableSize> pageTable_{};
};

} // namespace qx260
