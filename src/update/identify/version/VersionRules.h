#pragma once

#include "update/identify/rules/RuleChain.h"

#include <span>

// The tables of the version chain, each in its order, run at its own place of the chain.
namespace dm::update {

std::span<const RuleRow> shortCodeRules();      // A: a product's code in place of the file name
std::span<const RuleRow> earlyRules();          // B: before anything is read from the file
std::span<const RuleRow> beforeReadingRules();  // C: before the version resource is read
std::span<const RuleRow> adjustmentRules();     // D: on the version resource's fixed block
std::span<const RuleRow> recordRules();         // E: on the version-information record
std::span<const RuleRow> fileNameRules();       // F: on the file name and product family
std::span<const RuleRow> reconciliationRules(); // G: between and after the reconciliation steps

} // namespace dm::update
