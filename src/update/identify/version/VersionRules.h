#pragma once

#include "update/identify/rules/RuleChain.h"

#include <span>

// The tables of the version chain, each in its order, run at its own place of the chain.
namespace dm::update {

std::span<const RuleRow> shortCodeRules();     // A: a product's code in place of the file name
std::span<const RuleRow> earlyRules();         // B: before anything is read from the file
std::span<const RuleRow> beforeReadingRules(); // C: before the version resource is read
std::span<const RuleRow> adjustmentRules();    // D: on the version resource's fixed block
std::span<const RuleRow> recordRules();        // E: on the version-information record
std::span<const RuleRow> fileNameRules();      // F: on the file name and product family
// G: the reconciliation's tables, run before its first step, between its steps, after its last.
std::span<const RuleRow> reconciliationOpeningRules();
std::span<const RuleRow> reconciliationMiddleRules();
std::span<const RuleRow> reconciliationClosingRules();

} // namespace dm::update
