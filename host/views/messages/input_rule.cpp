#include "input_rule.h"

#include <QLineEdit>
#include <algorithm>

CInputRule& CInputRule::Of(QLineEdit& field) {
    if (auto* rule = dynamic_cast<CInputRule*>(const_cast<QValidator*>(field.validator()))) return *rule;
    auto* rule = new CInputRule(&field);
    field.setValidator(rule);
    return *rule;
}

QValidator::State CInputRule::validate(QString& input, int&) const {
    if (limit > 0 && input.size() > limit) return Invalid;
    // Only the ASCII digits: a receiver field takes no other numerals.
    if (digitsOnly && !std::all_of(input.begin(), input.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return Invalid;
    return Acceptable;
}
