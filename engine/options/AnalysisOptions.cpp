#include "engine/options/AnalysisOptions.h"

namespace Vn
{

AnalysisOptions AnalysisOptions::Precise()
{
    AnalysisOptions options;
    options.mCommonTypes = true;
    options.mModernCpp = true;
    options.mLanguages = true;
    options.mWalk.mIgnoreRules = TrovLib::IgnoreRules::Git;
    options.mWalk.mFollowFileLinks = false;
    return options;
}

bool AnalysisOptions::SkipsLabels() const
{
    return mSkipGenerated || mSkipVendored || mSkipMinified || mSkipLock;
}

} // namespace Vn
