#pragma once
#include <QValidator>

class QLineEdit;

// What an edit field takes from the user: digits only, or up to a number of characters. Text
// that the program sets is not checked, as the old platform's edits did not check it either.
class CInputRule final : public QValidator {
public:
    // The field's rule, given to it when it has none.
    static CInputRule& Of(QLineEdit& field);

    void SetDigitsOnly(bool digits) { digitsOnly = digits; }
    // 0 for no limit.
    void SetLimit(int characters) { limit = characters; }

    State validate(QString& input, int& position) const override;

private:
    using QValidator::QValidator;

    bool digitsOnly = false;
    int limit = 0;
};
