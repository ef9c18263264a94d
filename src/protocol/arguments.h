#pragma once

#include <istream>
#include <string>

namespace korvane {

// Reads command words and their arguments from the input as whitespace-separated
// tokens. A malformed number ends the command's arguments: the value is what formatted
// input stored (0, or the nearer 32-bit limit), the rest of the input line is skipped,
// and later reads of the same command store nothing.
class Arguments {
public:
    explicit Arguments(std::istream& input) : in(input) {}

    // The next word, upper-cased; false at the end of input.
    bool readWord(std::string& word);
    // The rest of the current input line, without its line end ("\n" or "\r\n"); the
    // next read starts on the following line.
    std::string readRestOfLine();
    // Starts a new command: its arguments are read afresh.
    void beginCommand() { failed = false; }

    // Reads an integer into `value` as formatted input does; false when it failed.
    bool readInt(int& value);
    // A point "x,y": integer, any one non-blank separator, integer.
    struct Point {
        int x = 0;
        int y = 0;
        bool ok = false;
    };
    Point readPoint();

private:
    void fail();

    std::istream& in;
    bool failed = false;
};

// Parses a BOARD stone word "x,y,field" by itself; the field is optional and ignored.
Arguments::Point parseStone(const std::string& word);

}  // namespace korvane
