// The tables of the version chain, each run at its own place of the chain.
#pragma once

#include "update/identify/version/VersionRun.h"

#include <span>

// The tables of the version chain, each in its order, run at its own place of the chain.
namespace dm::update {

std::span<const VersionRow> shortCodeRules();     // A: a product's code in place of the file name
std::span<const VersionRow> earlyRules();         // B: before anything is read from the file
std::span<const VersionRow> beforeReadingRules(); // C: before the version resource is read
std::span<const VersionRow> adjustmentRules();    // D: on the version resource's fixed block
std::span<const VersionRow> recordRules();        // E: on the version-information record
// E, then: the products whose record speaks for programs other than their own.
std::span<const VersionRow> productRecordRules();
std::span<const VersionRow> fileNameRules(); // F: on the file name and product family
// G: the reconciliation's tables, run before its first step, between its steps, after its last.
std::span<const VersionRow> reconciliationOpeningRules();
std::span<const VersionRow> reconciliationMiddleRules();
std::span<const VersionRow> reconciliationClosingRules();

} // namespace dm::update
