#include "gui/oneline.h"

#include "core/textfile.h"

#include <QComboBox>
#include <QLineEdit>
#include <QValidator>

namespace {

// A validator may change the text it is given, and the line edit takes the changed text before it
// shows it or tells anyone: typing, pasting, dropping and setText all pass through here.
class OneLineValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
        if (textfile::breaksLine(input)) {
            const QString before = textfile::oneLine(input.left(pos));
            input = textfile::oneLine(input);
            pos = int(before.size());
        }
        return Acceptable;
    }
};

} // namespace

void keepOneLine(QLineEdit* box) {
    box->setValidator(new OneLineValidator(box));
}

void keepOneLine(QComboBox* box) {
    if (box->lineEdit()) keepOneLine(box->lineEdit());
}
