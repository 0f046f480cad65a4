#include "engine/options/AnalysisOptions.h"

#include "engine/options/AnalysisSwitch.h"

#include <algorithm>

namespace Vn
{

AnalysisOptions AnalysisOptions::Precise()
{
    AnalysisOptions options;
    for (const AnalysisSwitch& option : ANALYSIS_SWITCHES)
        option.Set(options, option.mPrecise);
    return options;
}

bool AnalysisOptions::IsPrecise() const
{
    return std::ranges::all_of(ANALYSIS_SWITCHES,
                               [this](const AnalysisSwitch& option)
                               {
                                   return option.mGroup != AnalysisSwitch::Group::READING ||
                                          option.IsOn(*this) == option.mPrecise;
                               });
}

bool AnalysisOptions::SkipsLabels() const
{
    return std::ranges::any_of(
        ANALYSIS_SWITCHES, [this](const AnalysisSwitch& option)
        { return option.mGroup == AnalysisSwitch::Group::LABELS && option.IsOn(*this); });
}

} // namespace Vn
