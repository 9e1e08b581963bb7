#include "backupconsole/previewsizing.h"

#include <algorithm>

namespace previewsizing {

namespace {

double follow(double outer, double allowance, double client, double previous)
{
    const double wanted = outer - allowance;
    if (wanted < 0)
        return previous;
    return std::min(wanted, client);
}

} // namespace

QSizeF textBoxSize(const QSizeF& outer, const QSizeF& client, const QSizeF& previous)
{
    return {follow(outer.width(), kWidthAllowance, client.width(), previous.width()),
            follow(outer.height(), kHeightAllowance, client.height(), previous.height())};
}

} // namespace previewsizing
