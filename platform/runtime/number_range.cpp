#include "platform/runtime/number_range.h"

#include <cmath>
#include <cstdio>

namespace rt {

FloatError::FloatError()
    : std::runtime_error(
          "Operazione in virgola mobile non valida: un valore non \xE8 un numero utilizzabile (infinito, non "
          "definito o troppo grande). L'operazione \xE8 stata interrotta; controllare i dati inseriti o il file "
          "da cui vengono.") {}

void RequireIntegral(long double x) {
    // 2^63: the first magnitude an int64 cannot hold (after truncation or rounding).
    constexpr long double kLimit = 9223372036854775808.0L;
    if (!(std::fabs(x) < kLimit - 1)) throw FloatError();
}

namespace {
std::string ValueText(long double v) {
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v < 0 ? "-Inf" : "+Inf";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.10Lg", v);
    return buf;
}
}  // namespace

DamagedFileError::DamagedFileError(const Where& where, const std::string& value)
    : IoError(kInvalidNumericInput, where.file),
      field_(where.field),
      detail_("il valore di " + where.field + " (" + value + ") \xE8 fuori dai limiti ammessi"),
      message_("Il file \"" + where.file + "\" \xE8 danneggiato: " + detail_ + ".") {}

DamagedFileError DamagedFileError::WithWayOn(std::string wayOn) const {
    DamagedFileError e = *this;
    e.wayOn_ = std::move(wayOn);
    return e;
}

std::string DamagedFileError::UserMessage() const {
    return message_ + " " +
           (wayOn_.empty() ? "Il programma non usa quel valore e interrompe l'operazione: ripristinare il file da una "
                             "copia di sicurezza."
                           : wayOn_);
}

bool InRange(long double v, NumberLimits limits) { return std::isfinite(v) && v >= limits.low && v <= limits.high; }

long double CheckFileNumber(long double v, NumberLimits limits, std::string_view file, std::string_view field) {
    if (!InRange(v, limits)) RefuseFileNumber(v, file, field);
    return v;
}

void RefuseFileNumber(long double v, std::string_view file, std::string_view field) {
    throw DamagedFileError({std::string(file), std::string(field)}, ValueText(v));
}

}  // namespace rt
