#include "support/settings.hpp"

#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace lumo {

// Readable failure messages: every byte outside printable ASCII as \xHH.
static std::string visible(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  for (char c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '\\') {
      out += c;
    } else {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
  }
  return out;
}

void PrintTo(const Settings& settings, std::ostream* os) {
  for (const Settings::Section& section : settings.sections()) {
    *os << "\n[" << visible(section.name) << "]";
    for (const auto& [key, value] : section.entries) *os << "\n  <" << visible(key) << "> = <" << visible(value) << ">";
  }
}

}  // namespace lumo

namespace {

using namespace lumo;
using namespace std::string_literals;

// A Settings built from (section, key, value) triples, in order.
Settings build(std::initializer_list<std::tuple<std::string, std::string, std::string>> items) {
  Settings settings;
  for (const auto& [section, key, value] : items) settings.set(section, key, value);
  return settings;
}

// ---- The Settings object ---------------------------------------------------

TEST(SettingsObject, KeepsFirstSeenOrderAndLastValue) {
  Settings s;
  s.set("b", "x", "1");
  s.set("a", "y", "2");
  s.set("b", "z", "3");
  s.set("b", "x", "4");
  ASSERT_EQ(s.sections().size(), 2u);
  EXPECT_EQ(s.sections()[0].name, "b");
  EXPECT_EQ(s.sections()[1].name, "a");
  std::vector<Settings::Entry> expected{{"x", "4"}, {"z", "3"}};
  EXPECT_EQ(s.sections()[0].entries, expected);
  EXPECT_EQ(s.get("b", "x"), "4");
  EXPECT_EQ(s.get("a", "y"), "2");
  EXPECT_EQ(s.get("a", "x"), std::nullopt);
  EXPECT_EQ(s.get("c", "x"), std::nullopt);
}

TEST(SettingsObject, EmptyNameSectionIsAlwaysFirst) {
  Settings s;
  s.set("a", "k", "v");
  s.set("", "top", "1");
  ASSERT_EQ(s.sections().size(), 2u);
  EXPECT_EQ(s.sections()[0].name, "");
  EXPECT_EQ(s.sections()[1].name, "a");
  EXPECT_EQ(writeSettings(s), "top=1\n\n[a]\nk=v\n");
}

// ---- Reading ----------------------------------------------------------------

struct ReadCase {
  const char* name;
  std::string text;
  Settings expected;
};

std::vector<ReadCase> readCases() {
  Settings headerOnly;
  headerOnly.addSection("empty");
  Settings emptyNamedHeader;
  emptyNamedHeader.set("a", "k", "1");
  emptyNamedHeader.set("", "top", "2");
  return {
      {"Empty", "", Settings{}},
      {"BlankAndCommentLines", "\n  \n# c\n ; c\n\t\n", Settings{}},
      {"KeysBeforeAnySection", "a=1\nb = 2\n", build({{"", "a", "1"}, {"", "b", "2"}})},
      {"ColonSeparatorAndSpaces", "a : 1\nb:2\nc\t=\tx\n", build({{"", "a", "1"}, {"", "b", "2"}, {"", "c", "x"}})},
      {"Sections", "top=0\n[one]\na=1\n[two]\nb=2\n",
       build({{"", "top", "0"}, {"one", "a", "1"}, {"two", "b", "2"}})},
      {"QuotedSectionName", "[\"my section\"]\nk=v\n[ plain ]\nk=w\n",
       build({{"my section", "k", "v"}, {"plain", "k", "w"}})},
      {"QuotedSectionNameWithEscapes", "[\"a\\\"b\\n\"]\nk=v\n", build({{"a\"b\n", "k", "v"}})},
      {"HeaderWithoutKeysMakesSection", "[empty]\n", headerOnly},
      {"EmptyNameHeaderContinuesTopSection", "[a]\nk=1\n[\"\"]\ntop=2\n", emptyNamedHeader},
      {"RepeatedSectionContinues", "[a]\nx=1\n[b]\ny=2\n[a]\nz=3\n",
       build({{"a", "x", "1"}, {"b", "y", "2"}, {"a", "z", "3"}})},
      {"RepeatedKeyKeepsLastValueAndFirstPosition", "x=1\ny=2\nx=3\n", build({{"", "x", "3"}, {"", "y", "2"}})},
      {"SymbolCharacters", "a_b-c.d/e\\f=\xC3\xA9/\\.-_9\n", build({{"", "a_b-c.d/e\\f", "\xC3\xA9/\\.-_9"}})},
      {"QuotedValue", "k = \"a b # not ; comment\"\n", build({{"", "k", "a b # not ; comment"}})},
      {"QuotedValueEscapes", "k=\"q\\\" b\\\\ n\\n r\\r t\\t z\\0 x\\x7f\\x1B s\\'\"\n",
       build({{"", "k", "q\" b\\ n\n r\r t\t z\0 x\x7f\x1b s'"s}})},
      {"EmptyQuotedValue", "k=\"\"\n", build({{"", "k", ""}})},
      {"TripleQuotedValue", "k=\"\"\"say \"hi\" \\n\"\"\"\n", build({{"", "k", "say \"hi\" \\n"}})},
      {"TripleQuotedValueStartingWithQuotes", "k=\"\"\"\"\"x\"\"\"\n", build({{"", "k", "\"\"x"}})},
      {"TripleQuotedValueSpansLines", "k=\"\"\"one\r\ntwo\rthree\n\"\"\" # c\nn=1\n",
       build({{"", "k", "one\r\ntwo\rthree\n"}, {"", "n", "1"}})},
      {"Options", "--width=320\n--mode:fast\n[s]\n--x = \"a b\"\n",
       build({{"", "--width", "320"}, {"", "--mode", "fast"}, {"s", "--x", "a b"}})},
      {"CommentsAfterValues", "a=1 # one\nb=2;two\nc=\"3\" ; three\n[s] # sec\nd\t# bare\n",
       build({{"", "a", "1"}, {"", "b", "2"}, {"", "c", "3"}, {"s", "d", ""}})},
      {"BareKeyHasEmptyValue", "a\nb =\nc = # c\n", build({{"", "a", ""}, {"", "b", ""}, {"", "c", ""}})},
      {"QuotedKey", "\"a key\"=1\n\"\"=2\n\"--o p\":3\n\"bare\"\n",
       build({{"", "a key", "1"}, {"", "", "2"}, {"", "--o p", "3"}, {"", "bare", ""}})},
      {"IndentedLines", "  [s]\n\ta=1\n", build({{"s", "a", "1"}})},
      {"LineEndingsLF", "[s]\na=1\nb=2\n", build({{"s", "a", "1"}, {"s", "b", "2"}})},
      {"LineEndingsCRLF", "[s]\r\na=1\r\n\r\nb=2\r\n", build({{"s", "a", "1"}, {"s", "b", "2"}})},
      {"LineEndingsCR", "[s]\ra=1\r\rb=2\r", build({{"s", "a", "1"}, {"s", "b", "2"}})},
      {"NoFinalLineEnd", "a=1\nb=2", build({{"", "a", "1"}, {"", "b", "2"}})},
      // Syntax errors: what came before stays, the bad line and the rest do not.
      {"StopsAtSpaceInUnquotedValue", "a=1\nb=two words\nc=3\n", build({{"", "a", "1"}})},
      {"StopsAtKeyWithoutSeparator", "a=1\nb c\nd=4\n", build({{"", "a", "1"}})},
      {"StopsAtUnclosedHeader", "a=1\n[s\nb=2\n", build({{"", "a", "1"}})},
      {"StopsAtEmptyHeader", "a=1\n[]\nb=2\n", build({{"", "a", "1"}})},
      {"StopsAfterHeaderText", "[s]\na=1\n[t] x\nb=2\n", build({{"s", "a", "1"}})},
      {"StopsAtUnterminatedQuote", "[s]\na=1\nb=\"open\nc=3\n", build({{"s", "a", "1"}})},
      {"StopsAtUnterminatedTripleQuote", "a=1\nb=\"\"\"open\nc=3\n", build({{"", "a", "1"}})},
      {"StopsAtTextAfterQuote", "a=1\nb=\"x\"y\n", build({{"", "a", "1"}})},
      {"StopsAtBadEscape", "a=1\nb=\"\\q\"\n", build({{"", "a", "1"}})},
      {"StopsAtShortHexEscape", "a=1\nb=\"\\x4\"\n", build({{"", "a", "1"}})},
      {"StopsAtLineStartingWithSeparator", "a=1\n=2\n", build({{"", "a", "1"}})},
      {"StopsAtSecondSeparator", "a=1\nb==2\n", build({{"", "a", "1"}})},
      {"StopsAtTripleQuoteFollowedByQuote", "a=1\nb=\"\"\"x\"\"\"\"\n", build({{"", "a", "1"}})},
  };
}

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class SettingsRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(SettingsRead, ReadsAsExpected) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(parseSettings(c.text), c.expected) << "text: " << visible(c.text);
}

INSTANTIATE_TEST_SUITE_P(Settings, SettingsRead, ::testing::ValuesIn(readCases()),
                         [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

// ---- Writing ----------------------------------------------------------------

struct WriteCase {
  const char* name;
  Settings settings;
  std::string text;
};

std::vector<WriteCase> writeCases() {
  Settings emptyTop;
  emptyTop.addSection("");
  emptyTop.set("s", "k", "v");
  return {
      {"Empty", Settings{}, ""},
      {"TopSectionWithoutHeader", build({{"", "a", "1"}, {"s", "b", "2"}}), "a=1\n\n[s]\nb=2\n"},
      {"TopSectionWithoutKeysGetsHeader", emptyTop, "[\"\"]\n\n[s]\nk=v\n"},
      {"QuotedSectionName", build({{"a b", "k", "v"}}), "[\"a b\"]\nk=v\n"},
      {"SectionNameWithEscapes", build({{"x\"\n", "k", "v"}}), "[\"x\\\"\\n\"]\nk=v\n"},
      {"SymbolValueAsIs", build({{"", "k", "a_b-c.d/e\\f\xC3\xA9"}}), "k=a_b-c.d/e\\f\xC3\xA9\n"},
      {"EmptyValueIsKeyAlone", build({{"", "k", ""}, {"", "--o", ""}}), "k\n--o\n"},
      {"OptionKeyUsesColon", build({{"", "--width", "320"}}), "--width:320\n"},
      {"SpaceIsDoubleQuoted", build({{"", "k", "a b"}}), "k=\"a b\"\n"},
      {"EscapesInDoubleQuotes", build({{"", "k", "\\ \n\r\t\x01\x7f\0#;"s}}),
       "k=\"\\\\ \\n\\r\\t\\x01\\x7f\\x00#;\"\n"},
      {"QuoteUsesTripleQuotes", build({{"", "k", "say \"hi\" \\ \n"}}), "k=\"\"\"say \"hi\" \\ \n\"\"\"\n"},
      {"QuoteAtStartUsesTripleQuotes", build({{"", "k", "\"\"x"}}), "k=\"\"\"\"\"x\"\"\"\n"},
      {"TrailingQuoteUsesDoubleQuotes", build({{"", "k", "a\""}}), "k=\"a\\\"\"\n"},
      {"ThreeQuotesUseDoubleQuotes", build({{"", "k", "a\"\"\"b"}}), "k=\"a\\\"\\\"\\\"b\"\n"},
      {"QuotedKeys", build({{"", "a b", "1"}, {"", "", "2"}, {"", "--o p", "3"}}), "\"a b\"=1\n\"\"=2\n\"--o p\":3\n"},
  };
}

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class SettingsWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(SettingsWrite, WritesAsExpectedAndReadsBack) {
  const WriteCase& c = GetParam();
  std::string text = writeSettings(c.settings);
  EXPECT_EQ(visible(text), visible(c.text));
  EXPECT_EQ(parseSettings(text), c.settings) << "text: " << visible(text);
}

INSTANTIATE_TEST_SUITE_P(Settings, SettingsWrite, ::testing::ValuesIn(writeCases()),
                         [](const ::testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

// A value with a space is written in quotes and read back.
TEST(SettingsRoundTrip, ValueWithASpace) {
  Settings s;
  s.set("keys", "up", "w");
  s.set("keys", "name", "with space");
  Settings back = parseSettings(writeSettings(s));
  EXPECT_EQ(back.get("keys", "up"), "w");
  EXPECT_EQ(back.get("keys", "name"), "with space");
}

// ---- Randomized round trip ----------------------------------------------------

// Strings mixing the dialect's awkward pieces with random bytes.
std::string randomString(std::mt19937& rng) {
  static const std::vector<std::string> pieces = {
      "\"", "\"\"", "\"\"\"", "\\", "\n", "\r", "\r\n", "#", ";", "=", ":", "[", "]", " ", "\t", "--",
      std::string(1, '\0'), "\x7f", "\x80", "\xff", "\xC3\xA9", "a", "Z", "0", "_", "-", ".", "/", "\\x", "\\n"};
  std::uniform_int_distribution<int> length(0, 8);
  std::uniform_int_distribution<int> kind(0, 2);
  std::uniform_int_distribution<std::size_t> piece(0, pieces.size() - 1);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> letter('a', 'z');
  std::string out;
  int count = length(rng);
  for (int i = 0; i < count; ++i) {
    switch (kind(rng)) {
      case 0: out += pieces[piece(rng)]; break;
      case 1: out += static_cast<char>(byte(rng)); break;
      default: out += static_cast<char>(letter(rng)); break;
    }
  }
  return out;
}

TEST(SettingsRoundTrip, RandomSettingsReadBackUnchanged) {
  std::mt19937 rng(20261210);
  std::uniform_int_distribution<int> operations(0, 12);
  std::uniform_int_distribution<int> pick(0, 3);
  for (int trial = 0; trial < 4000; ++trial) {
    Settings s;
    std::vector<std::string> sectionNames{"", "main"};
    std::vector<std::string> keys{"k", "--opt"};
    int count = operations(rng);
    for (int i = 0; i < count; ++i) {
      // Reuse names sometimes, to exercise repeated sections and keys.
      if (pick(rng) == 0) sectionNames.push_back(randomString(rng));
      if (pick(rng) != 0) keys.push_back((pick(rng) == 0 ? "--" : "") + randomString(rng));
      const std::string& section = sectionNames[rng() % sectionNames.size()];
      const std::string& key = keys[rng() % keys.size()];
      s.set(section, key, randomString(rng));
    }
    std::string text = writeSettings(s);
    Settings back = parseSettings(text);
    ASSERT_EQ(back, s) << "trial " << trial << ", text: " << visible(text);
    ASSERT_EQ(writeSettings(back), text) << "trial " << trial;
  }
}

// Arbitrary text never breaks the reader, and whatever it reads writes back stably.
TEST(SettingsRoundTrip, RandomTextReadsWithoutFailure) {
  std::mt19937 rng(91540679);
  for (int trial = 0; trial < 4000; ++trial) {
    std::string text;
    int lines = static_cast<int>(rng() % 6);
    for (int i = 0; i < lines; ++i) {
      if (rng() % 3 == 0) text += "[";
      text += randomString(rng);
      if (rng() % 2 == 0) text += "=" + randomString(rng);
      text += "\n";
    }
    Settings read = parseSettings(text);
    ASSERT_EQ(parseSettings(writeSettings(read)), read) << "trial " << trial << ", text: " << visible(text);
  }
}

}  // namespace
