#pragma once

#include "download/VnxHTTP.h"

#include <QString>

namespace lanescope::ui {

/**
 * Why a transfer failed, in the screen language ("HTTP status 404", "timed out", ...); empty when it did not
 * fail (also for an unchanged file). The transfer library's own words for an unforeseen error stay as they
 * are.
 */
QString transferReason(const download::TransferResult& result);

} // namespace lanescope::ui
