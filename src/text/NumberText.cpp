// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/NumberText.h"

#include <array>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <memory>
#include <mutex>
#include <vector>

#include <locale.h>

#include <unicode/locid.h>
#include <unicode/rbnf.h>
#include <unicode/unistr.h>

namespace text {

QString shortestDecimal(double value)
{
    if (!std::isfinite(value)) {
        return std::isnan(value) ? QStringLiteral("nan") : (value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf"));
    }
    if (value == 0.0) {
        return QStringLiteral("0"); // also for -0.0
    }
    std::array<char, 64> buffer {};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (ec != std::errc()) {
        return QString::number(value, 'g', 17);
    }
    return QString::fromLatin1(buffer.data(), end - buffer.data());
}

namespace {

locale_t cLocale()
{
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

} // namespace

QString cformat(const char *format, ...)
{
    // uselocale() is per thread, so this never disturbs other threads' formatting.
    const locale_t previous = uselocale(cLocale());
    std::array<char, 256> small {};
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(small.data(), small.size(), format, args);
    va_end(args);
    QString result;
    if (needed >= 0 && static_cast<size_t>(needed) < small.size()) {
        result = QString::fromUtf8(small.data(), needed);
    } else if (needed >= 0) {
        std::vector<char> big(static_cast<size_t>(needed) + 1);
        std::vsnprintf(big.data(), big.size(), format, copy);
        result = QString::fromUtf8(big.data(), needed);
    }
    va_end(copy);
    uselocale(previous);
    return result;
}

namespace {

// The one shared en_US spell-out formatter, built on first use; null when ICU cannot build it.
template <typename Format>
QString withSpeller(Format format)
{
    static std::mutex mutex;
    static std::unique_ptr<icu::RuleBasedNumberFormat> speller;
    static bool created = false;
    std::lock_guard lock(mutex);
    if (!created) {
        created = true;
        UErrorCode status = U_ZERO_ERROR;
        auto candidate =
            std::make_unique<icu::RuleBasedNumberFormat>(icu::URBNF_SPELLOUT, icu::Locale("en_US"), status);
        if (U_SUCCESS(status)) {
            speller = std::move(candidate);
        }
    }
    if (speller) {
        icu::UnicodeString out;
        format(*speller, out);
        if (!out.isEmpty()) {
            return QString(reinterpret_cast<const QChar *>(out.getBuffer()), out.length());
        }
    }
    return {};
}

} // namespace

QString spellOut(qint64 value)
{
    const QString words = withSpeller([value](icu::RuleBasedNumberFormat &speller, icu::UnicodeString &out) {
        speller.format(static_cast<int64_t>(value), out);
    });
    return words.isEmpty() ? QString::number(value) : words;
}

QString spellOutDecimal(double value)
{
    const QString words = withSpeller(
        [value](icu::RuleBasedNumberFormat &speller, icu::UnicodeString &out) { speller.format(value, out); });
    return words.isEmpty() ? shortestDecimal(value) : words;
}

} // namespace text
