#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "host/conversion_details.h"
#include "host/conversions.h"

namespace tabulara::host {
namespace detail {
namespace {

struct Token {
  enum class Kind { Number, Word, Separator };
  Kind kind = Kind::Number;
  long value = 0;
  int digits = 0;
  std::string word;
  char separator = 0;
};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool CanStandInDate(std::string_view word);

// The text's numbers, words and separators; none when it holds a character
// or a word that no date or time has.
std::optional<std::vector<Token>> Tokenize(std::string_view text) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (IsBlank(c)) {
      ++i;
      continue;
    }
    Token token;
    if (IsDigit(c)) {
      for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (token.value < 100000) token.value = token.value * 10 + (text[i] - '0');
        ++token.digits;
      }
    } else if (IsLetter(c)) {
      const std::size_t start = i;
      while (i < text.size() && IsLetter(text[i])) ++i;
      constexpr std::size_t kLongestName = 9;
      if (i - start > kLongestName) return std::nullopt;
      char lowered[kLongestName];
      for (std::size_t at = start; at < i; ++at) lowered[at - start] = static_cast<char>(text[at] | 0x20);
      const std::string_view word(lowered, i - start);
      if (!CanStandInDate(word)) return std::nullopt;
      token.kind = Token::Kind::Word;
      token.word = word;
    } else if (c == '/' || c == '-' || c == ',' || c == '.' || c == ':') {
      token.kind = Token::Kind::Separator;
      token.separator = c;
      ++i;
    } else {
      return std::nullopt;
    }
    tokens.push_back(std::move(token));
  }
  return tokens;
}

constexpr std::array<std::string_view, 12> kMonths = {"january", "february", "march",     "april",
                                                      "may",     "june",     "july",      "august",
                                                      "september", "october", "november", "december"};
constexpr std::array<std::string_view, 7> kDays = {"monday", "tuesday",  "wednesday", "thursday",
                                                   "friday", "saturday", "sunday"};

// The first three letters of a word in one number.
constexpr std::uint32_t BeginningOf(std::string_view word) {
  return static_cast<std::uint8_t>(word[0]) | static_cast<std::uint8_t>(word[1]) << 8 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(word[2])) << 16;
}

// Every month and weekday name begins with the three letters of its short
// name.
constexpr auto kNameBeginnings = [] {
  std::array<std::uint32_t, kMonths.size() + kDays.size()> beginnings{};
  std::size_t i = 0;
  for (std::string_view month : kMonths) beginnings[i++] = BeginningOf(month);
  for (std::string_view day : kDays) beginnings[i++] = BeginningOf(day);
  return beginnings;
}();

// A name or its first three letters.
bool IsNameOrShortName(std::string_view word, std::string_view name) {
  return word == name || word == name.substr(0, 3);
}

int MonthOfName(std::string_view word) {
  for (std::size_t i = 0; i < kMonths.size(); ++i) {
    if (IsNameOrShortName(word, kMonths[i])) return static_cast<int>(i) + 1;
  }
  return word == "sept" ? 9 : 0;
}

bool IsWeekdayName(std::string_view word) {
  for (std::string_view day : kDays) {
    if (IsNameOrShortName(word, day)) return true;
  }
  return word == "tues" || word == "thur" || word == "thurs";
}

// Month and weekday names and the morning and afternoon marks; any other
// word makes a text no date.
bool CanStandInDate(std::string_view word) {
  if (word.size() <= 2) return word == "am" || word == "pm" || word == "a" || word == "p";
  const std::uint32_t beginning = BeginningOf(word);
  if (std::find(kNameBeginnings.begin(), kNameBeginnings.end(), beginning) == kNameBeginnings.end()) return false;
  return MonthOfName(word) != 0 || IsWeekdayName(word);
}

// 1 morning, 2 afternoon, 0 neither. A cell entry may shorten them to
// "a" and "p".
int Meridiem(const Token& token, DateGrammar grammar) {
  if (token.kind != Token::Kind::Word) return 0;
  const bool shortForms = grammar == DateGrammar::CellEntry;
  if (token.word == "am" || (shortForms && token.word == "a")) return 1;
  if (token.word == "pm" || (shortForms && token.word == "p")) return 2;
  return 0;
}

bool IsNumber(const std::vector<Token>& tokens, std::size_t i) {
  return i < tokens.size() && tokens[i].kind == Token::Kind::Number;
}

bool IsSeparator(const std::vector<Token>& tokens, std::size_t i, char separator) {
  return i < tokens.size() && tokens[i].kind == Token::Kind::Separator && tokens[i].separator == separator;
}

struct TimeOfDay {
  long hours = 0;
  long minutes = 0;
  long seconds = 0;
  int meridiem = 0;
};

// Takes "h:mm[:ss] [AM|PM]" or "h AM|PM" out of the tokens. False when the
// time is malformed; an absent time leaves `time` empty.
bool TakeTime(std::vector<Token>& tokens, DateGrammar grammar, std::optional<TimeOfDay>& time) {
  std::size_t colon = 0;
  while (colon < tokens.size() && !IsSeparator(tokens, colon, ':')) ++colon;
  std::size_t first = 0;
  std::size_t end = 0;
  TimeOfDay found;
  if (colon < tokens.size()) {
    if (colon == 0 || !IsNumber(tokens, colon - 1) || !IsNumber(tokens, colon + 1)) return false;
    first = colon - 1;
    found.hours = tokens[first].value;
    found.minutes = tokens[colon + 1].value;
    end = colon + 2;
    if (IsSeparator(tokens, end, ':')) {
      if (!IsNumber(tokens, end + 1)) return false;
      found.seconds = tokens[end + 1].value;
      end += 2;
    }
  } else {
    std::size_t hour = 0;
    while (hour + 1 < tokens.size() && !(IsNumber(tokens, hour) && Meridiem(tokens[hour + 1], grammar) != 0)) {
      ++hour;
    }
    if (hour + 1 >= tokens.size()) return true;
    first = hour;
    found.hours = tokens[hour].value;
    end = hour + 1;
  }
  if (end < tokens.size() && Meridiem(tokens[end], grammar) != 0) found.meridiem = Meridiem(tokens[end++], grammar);
  tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(first), tokens.begin() + static_cast<std::ptrdiff_t>(end));
  for (const Token& token : tokens) {
    if (token.kind == Token::Kind::Separator && token.separator == ':') return false;
  }
  time = found;
  return true;
}

std::optional<long> SecondsOfDay(const TimeOfDay& time, long maxHours) {
  long hours = time.hours;
  if (time.meridiem != 0) {
    if (hours > 12) return std::nullopt;
    if (hours == 12) hours = 0;
    if (time.meridiem == 2) hours += 12;
  } else if (hours > maxHours) {
    return std::nullopt;
  }
  if (time.minutes > 59 || time.seconds > 59) return std::nullopt;
  return hours * 3600 + time.minutes * 60 + time.seconds;
}

struct Element {
  long value = 0;
  int digits = 0;
};

struct DateElements {
  std::vector<Element> numbers;
  int monthName = 0;
  // Numbers standing apart without "/" or "-" between them.
  bool looselySeparatedNumbers = false;
};

std::optional<DateElements> CollectDateElements(const std::vector<Token>& tokens, DateGrammar grammar) {
  DateElements elements;
  const bool conversion = grammar == DateGrammar::Conversion;
  bool afterElement = false;
  bool afterNumber = false;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const Token& token = tokens[i];
    if (token.kind == Token::Kind::Separator) {
      const bool last = i + 1 == tokens.size();
      if (!afterElement || (last && !(conversion && token.separator == ','))) return std::nullopt;
      if (token.separator == '.' || token.separator == ':') return std::nullopt;
      if (token.separator == ',' && afterNumber) elements.looselySeparatedNumbers = true;
      afterElement = false;
      afterNumber = false;
      continue;
    }
    if (token.kind == Token::Kind::Word) {
      if (conversion && IsWeekdayName(token.word)) {
        afterElement = true;
        continue;
      }
      const int month = MonthOfName(token.word);
      if (month == 0 || elements.monthName != 0) return std::nullopt;
      elements.monthName = month;
      afterNumber = false;
    } else {
      if (afterNumber) elements.looselySeparatedNumbers = true;
      elements.numbers.push_back(Element{token.value, token.digits});
      afterNumber = true;
    }
    afterElement = true;
  }
  return elements;
}

// Two-digit years fall in 1930 to 2029.
int FullYear(const Element& year) {
  if (year.digits > 2) return static_cast<int>(year.value);
  return static_cast<int>(year.value < 30 ? 2000 + year.value : 1900 + year.value);
}

bool IsYearLike(const Element& element) { return element.digits >= 3 || element.value > 31; }

struct CalendarDate {
  Element year;
  long month = 0;
  long day = 0;
  bool yearGiven = true;
  bool dayGiven = true;
};

bool IsValid(const CalendarDate& date, DateGrammar grammar, int currentYear) {
  if (date.year.digits > 4) return false;
  const int year = date.yearGiven ? FullYear(date.year) : currentYear;
  const int minimumYear = grammar == DateGrammar::CellEntry ? 1900 : 100;
  if (year < minimumYear || year > 9999 || date.month < 1 || date.month > 12 || date.day < 1) return false;
  const bool excelLeapDay = grammar == DateGrammar::CellEntry && year == 1900 && date.month == 2 && date.day == 29;
  return date.day <= DaysInMonth(year, static_cast<int>(date.month)) || excelLeapDay;
}

std::vector<CalendarDate> Candidates(const DateElements& elements, DateGrammar grammar) {
  const std::vector<Element>& n = elements.numbers;
  const bool swapAllowed = grammar == DateGrammar::Conversion;
  std::vector<CalendarDate> candidates;
  if (elements.monthName != 0) {
    const long month = elements.monthName;
    if (n.size() == 1) {
      if (IsYearLike(n[0]))
        candidates.push_back({n[0], month, 1, true, false});
      else
        candidates.push_back({{}, month, n[0].value, false});
    } else if (n.size() == 2) {
      if (IsYearLike(n[0]))
        candidates.push_back({n[0], month, n[1].value});
      else
        candidates.push_back({n[1], month, n[0].value});
    }
    return candidates;
  }
  if (n.size() == 3) {
    if (IsYearLike(n[0])) {
      candidates.push_back({n[0], n[1].value, n[2].value});
    } else {
      candidates.push_back({n[2], n[0].value, n[1].value});
      if (swapAllowed) candidates.push_back({n[2], n[1].value, n[0].value});
    }
  } else if (n.size() == 2) {
    if (IsYearLike(n[0])) {
      candidates.push_back({n[0], n[1].value, 1, true, false});
    } else if (IsYearLike(n[1])) {
      candidates.push_back({n[1], n[0].value, 1, true, false});
    } else {
      candidates.push_back({{}, n[0].value, n[1].value, false});
      if (swapAllowed) candidates.push_back({{}, n[1].value, n[0].value, false});
    }
  }
  return candidates;
}

}  // namespace

std::optional<DateReading> ScanDate(std::string_view text, DateGrammar grammar, int currentYear) {
  std::optional<std::vector<Token>> tokens = Tokenize(text);
  if (!tokens || tokens->empty()) return std::nullopt;
  std::optional<TimeOfDay> time;
  if (!TakeTime(*tokens, grammar, time)) return std::nullopt;
  DateReading reading;
  if (time) {
    const long maxHours = grammar == DateGrammar::CellEntry && tokens->empty() ? 9999 : 23;
    const std::optional<long> seconds = SecondsOfDay(*time, maxHours);
    if (!seconds) return std::nullopt;
    reading.hasTime = true;
    reading.seconds = *seconds;
  }
  if (tokens->empty()) return time ? std::optional(reading) : std::nullopt;
  const std::optional<DateElements> elements = CollectDateElements(*tokens, grammar);
  if (!elements) return std::nullopt;
  if (elements->looselySeparatedNumbers && elements->monthName == 0 && grammar == DateGrammar::CellEntry) {
    return std::nullopt;
  }
  for (const CalendarDate& candidate : Candidates(*elements, grammar)) {
    if (!IsValid(candidate, grammar, currentYear)) continue;
    reading.hasDate = true;
    reading.year = candidate.yearGiven ? FullYear(candidate.year) : currentYear;
    reading.month = static_cast<int>(candidate.month);
    reading.day = static_cast<int>(candidate.day);
    reading.yearGiven = candidate.yearGiven;
    reading.dayGiven = candidate.dayGiven;
    return reading;
  }
  return std::nullopt;
}

}  // namespace detail

std::optional<Date> ParseDate(std::string_view text) {
  const std::optional<detail::DateReading> reading =
      detail::ScanDate(text, detail::DateGrammar::Conversion, detail::CurrentYear());
  if (!reading) return std::nullopt;
  const double days = reading->hasDate ? DateFromCivil(reading->year, reading->month, reading->day).serial : 0;
  return Date{days + reading->seconds / 86400.0};
}

}  // namespace tabulara::host
