// Comparisons of what the target received with what typing must give, and gap statistics.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "KeyTarget.h"
#include "Tool.h"

namespace varnbench {

// Equal texts; when not, both shown as text with visible line breaks, not as code points.
inline testing::AssertionResult SameText(const std::wstring& expected, const std::wstring& actual) {
  if (expected == actual) return testing::AssertionSuccess();
  auto show = [](const std::wstring& text) {
    std::string shown;
    for (char c : Utf8(text)) shown += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
    return "\"" + shown + "\"";
  };
  return testing::AssertionFailure() << "expected " << show(expected) << "\n     got " << show(actual);
}

// Where two key sequences part, in words; empty when they are equal.
inline std::string FirstDifference(const std::vector<KeyStroke>& expected,
                                   const std::vector<KeyStroke>& actual) {
  size_t i = 0;
  while (i < expected.size() && i < actual.size() && expected[i] == actual[i]) ++i;
  if (i == expected.size() && i == actual.size()) return "";
  std::string text = "expected " + std::to_string(expected.size()) + " key events, got " +
                     std::to_string(actual.size()) + "; first difference at event " +
                     std::to_string(i) + ": expected ";
  text += i < expected.size() ? Describe(expected[i]) : "nothing";
  text += ", got ";
  text += i < actual.size() ? Describe(actual[i]) : "nothing";
  return text;
}

inline testing::AssertionResult SameStrokes(const std::vector<KeyStroke>& expected,
                                            const std::vector<KeyStroke>& actual) {
  const std::string difference = FirstDifference(expected, actual);
  if (difference.empty()) return testing::AssertionSuccess();
  return testing::AssertionFailure() << difference;
}

// Expected key events that never arrived, counted per key and direction; an order change
// alone loses nothing.
inline size_t LostStrokes(const std::vector<KeyStroke>& expected,
                          const std::vector<KeyStroke>& actual) {
  std::map<std::tuple<UINT, UINT, bool>, long> balance;
  for (const KeyStroke& s : expected) ++balance[{s.message, s.vk, s.extended}];
  for (const KeyStroke& s : actual) --balance[{s.message, s.vk, s.extended}];
  size_t lost = 0;
  for (const auto& entry : balance) lost += entry.second > 0 ? static_cast<size_t>(entry.second) : 0;
  return lost;
}

// Milliseconds between consecutive received keys.
inline std::vector<double> Gaps(const std::vector<ReceivedKey>& keys) {
  std::vector<double> gaps;
  for (size_t i = 1; i < keys.size(); ++i) {
    gaps.push_back(KeyTarget::TicksToMs(keys[i].ticks - keys[i - 1].ticks));
  }
  return gaps;
}

inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::nth_element(values.begin(), values.begin() + static_cast<long>(values.size() / 2), values.end());
  return values[values.size() / 2];
}

inline double SpanMs(const std::vector<ReceivedKey>& keys) {
  return keys.size() < 2 ? 0 : KeyTarget::TicksToMs(keys.back().ticks - keys.front().ticks);
}

}  // namespace varnbench
