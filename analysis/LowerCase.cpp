#include "LowerCase.h"

#include <unicode/ustring.h>

QString lowerCased(QStringView text)
{
    if (text.isEmpty())
        return {};
    static_assert(sizeof(UChar) == sizeof(QChar));
    const auto *source = reinterpret_cast<const UChar *>(text.utf16());
    QString result(text.size(), Qt::Uninitialized);
    for (;;) {
        UErrorCode status = U_ZERO_ERROR;
        const int32_t needed =
            u_strToLower(reinterpret_cast<UChar *>(result.data()), int32_t(result.size()), source,
                         int32_t(text.size()), "", &status);
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            result.resize(needed);
            continue;
        }
        Q_ASSERT(U_SUCCESS(status));
        result.resize(needed);
        return result;
    }
}
