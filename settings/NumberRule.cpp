#include "settings/NumberRule.h"

#include "platform/convert/Convert.h"

namespace settings {

double BoxNumber(const QString& text)
{
    return platform::Val(text);
}

bool StoreBoxNumber(const QString& text, int16_t& variable)
{
    bool ok = false;
    const int16_t value = platform::CInt(BoxNumber(text), &ok);
    if (ok)
        variable = value;
    return ok;
}

bool StoreBoxNumber(const QString& text, int32_t& variable)
{
    bool ok = false;
    const int32_t value = platform::CLng(BoxNumber(text), &ok);
    if (ok)
        variable = value;
    return ok;
}

} // namespace settings
