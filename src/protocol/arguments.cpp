#include "protocol/arguments.h"

#include <limits>
#include <sstream>

namespace korvane {

namespace {

void upperCase(std::string& word) {
    for (char& c : word) {
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    }
}

}  // namespace

bool Arguments::readWord(std::string& word) {
    word.clear();
    if (!(in >> word)) {
        in.clear(in.rdstate() & std::ios::eofbit);
        return false;
    }
    upperCase(word);
    return true;
}

std::string Arguments::readRestOfLine() {
    std::string line;
    if (failed) return line;
    // At the end of input the stream keeps its end state, so the next word read ends the
    // session.
    if (!std::getline(in, line)) in.clear(in.rdstate() & std::ios::eofbit);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

void Arguments::fail() {
    failed = true;
    const bool atEnd = in.eof();
    in.clear();
    if (!atEnd) in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
}

bool Arguments::readInt(int& value) {
    if (failed) return false;
    if (in >> value) return true;
    fail();
    return false;
}

Arguments::Point Arguments::readPoint() {
    Point p;
    char separator = 0;
    const bool x = readInt(p.x);
    if (x && !(in >> separator)) fail();
    p.ok = x && !failed && readInt(p.y);
    return p;
}

Arguments::Point parseStone(const std::string& word) {
    std::istringstream in(word);
    Arguments::Point p;
    char separator = 0;
    p.ok = bool(in >> p.x >> separator >> p.y);
    return p;
}

}  // namespace korvane
