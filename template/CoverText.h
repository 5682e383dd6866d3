#pragma once

#include "pattern/Tiling.h"

#include <QString>

namespace vlnokan::templ {

// A length or angle with two decimals and a decimal comma, as the template's texts show it.
QString decimal(double value);

// The cover sheet's text: every figure of the funnel and the template, and how to assemble it.
QString coverText(const pattern::Tiling& tiling);

} // namespace vlnokan::templ
