#include "tools/contest_sim/truth_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace qxqy::contest_sim {
namespace {

TEST(TruthRulesTest, EachPairOfStatesGetsTheDecisionTheCheckRulesImply) {
  using S = LineState;
  const struct {
    S own;
    OtherSide other;
    Decision expected;
  } cases[] = {
      {S::kRight, {true, S::kRight}, Decision::kOk},
      {S::kRight, {true, S::kExchangeBusted}, Decision::kOk},
      {S::kExchangeBusted, {true, S::kRight}, Decision::kBustedExchange},
      {S::kRight, {true, S::kCallBusted}, Decision::kNilTheirBust},
      {S::kExchangeBusted, {true, S::kCallBusted}, Decision::kNilTheirBust},
      {S::kRight, {true, S::kWrongBand}, Decision::kBandOrMode},
      {S::kCallBusted, {true, S::kRight}, Decision::kBustedCall},
      {S::kCallBusted, {true, S::kExchangeBusted}, Decision::kBustedCall},
      // Nothing in the other log explains a busted call: by the call.
      {S::kCallBusted, {true, S::kCallBusted}, Decision::kByCall},
      {S::kCallBusted, {true, S::kWrongBand}, Decision::kByCall},
      {S::kWrongBand, {true, S::kRight}, Decision::kBandOrMode},
      {S::kWrongBand, {true, S::kExchangeBusted}, Decision::kBandOrMode},
      {S::kWrongBand, {true, S::kCallBusted}, Decision::kNil},
      {S::kWrongBand, {true, S::kWrongBand, false}, Decision::kBandOrMode},
      {S::kWrongBand, {true, S::kWrongBand, true}, Decision::kOk},
      {S::kRight, {false}, Decision::kByCall},
      {S::kCallBusted, {false}, Decision::kByCall},
      {S::kWrongBand, {false}, Decision::kByCall},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecideContactLine(c.own, c.other), c.expected)
        << "own " << static_cast<int>(c.own) << ", other " << static_cast<int>(c.other.state)
        << (c.other.sends_log ? "" : " (sends no log)");
  }
}

TEST(TruthRulesTest, DecisionWordsReadBackAndNothingElseReads) {
  for (int i = 0; i < kDecisionCount; ++i) {
    Decision read;
    const std::string word(DecisionWord(static_cast<Decision>(i)));
    ASSERT_TRUE(DecisionOfWord(word, read)) << word;
    EXPECT_EQ(static_cast<int>(read), i) << word;
  }
  Decision read;
  for (const char* word : {"", "OK", "by-call", "nil ", "busted"}) {
    EXPECT_FALSE(DecisionOfWord(word, read)) << word;
  }
}

}  // namespace
}  // namespace qxqy::contest_sim
