// lexer_demo.cpp - raw strings, digit separators and char literals.
#include <iostream>
#include <string>
#include <vector>

namespace demo {

constexpr long kLimit = 1'000'000;   // digit separators, not char literals
constexpr char kQuote = '\'';
constexpr char kSlash = '/';         // '/' followed by a comment

const std::string kQuery = R"sql(
SELECT name -- not a C++ comment
  FROM t /* nor this */

  WHERE note = ")"
)sql";
const char *kPlain = R"(C:\path\no\escapes\)";
const auto kWide = u8R"x(/* still a string */)x";

/* A block comment with a quote in it: "*/
int after_comment = 0;

/*
   A block comment.

   The blank line above is blank.
*/
class Logger {
public:
    void log(const std::string &s) { lines_.push_back(s); }
    // number of lines logged
    std::size_t size() const { return lines_.size(); }
private:
    std::vector<std::string> lines_;
};

}  // namespace demo

int main() {
    demo::Logger log;
    log.log(demo::kQuery);
    log.log("escaped \" quote // not a comment");
    std::cout << log.size() << demo::kQuote << demo::kSlash << demo::kPlain << demo::kWide
              << (2'000'000L > demo::kLimit) << '\n';
    return 0;
}
