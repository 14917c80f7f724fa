#pragma once
// The map from help topic numbers to pages of the user manual. F1 and the Help menu ask for
// help by number (a control id, a dialog template id or a command id); the manual ships a
// small text file, topics.txt, that names the page and anchor of each number, so that the
// pages can be rearranged without rebuilding the program.
//
// The file holds one topic a line, "NUMBER PAGE#ANCHOR", and one "default PAGE#ANCHOR"
// line for numbers without a line of their own. A "#" at the start of a line or after a
// blank starts a comment (the "#" inside PAGE#ANCHOR does not). The places are kept only
// when they name a page of the manual's folder: a bare "*.html" name and an anchor of
// letters, digits, "-" and "_", so that the map can never send the browser elsewhere.

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qx260
{

class HelpTopics
{
  public:
    // The contents page: the place of every number when the map names nothing better.
    static constexpr std::string_view kContentsPage = "index.html#contents";

    // Reads the text of a topics file. Lines it cannot use are skipped and listed.
    static HelpTopics parse(std::string_view text);

    // The "PAGE#ANCHOR" (or "PAGE") of a topic: its own line, else the default line, else
    // the contents page.
    std::string placeOf(int topic) const;

    // Line numbers (from 1) of lines that are neither a topic, a comment nor blank.
    const std::vector<int>& unusableLines() const { return unusableLines_; }
    bool ok() const { return unusableLines_.empty(); }

  private:
    std::map<int, std::string> places_;
    std::string defaultPlace_;
    std::vector<int> unusableLines_;
};

} // namespace qx260
