#include "scriptedplatform.h"

#include <QTest>

namespace {
void unexpected(const char* what, const QString& text) {
    QTest::qFail(qPrintable(QStringLiteral("unscripted %1: %2").arg(QLatin1String(what), text)), __FILE__, __LINE__);
}
} // namespace

bool ScriptedPlatform::askYesNo(const QString& text, const QString& title, Icon icon) {
    asked << Asked{QStringLiteral("yesno"), text, title, {}, {}, icon};
    if (yesNo.isEmpty()) {
        unexpected("question", text);
        return false;
    }
    return yesNo.dequeue();
}

Platform::Answer ScriptedPlatform::askYesNoCancel(const QString& text, const QString& title, Icon icon) {
    asked << Asked{QStringLiteral("yesnocancel"), text, title, {}, {}, icon};
    if (!yesNoCancel.isEmpty()) return yesNoCancel.dequeue();
    if (!yesNo.isEmpty()) return yesNo.dequeue() ? Answer::Yes : Answer::No;
    unexpected("question", text);
    return Answer::Cancel;
}

void ScriptedPlatform::tell(const QString& text, const QString& title, Icon icon) {
    asked << Asked{QStringLiteral("tell"), text, title, {}, {}, icon};
}

std::optional<QString> ScriptedPlatform::chooseSaveFile(const QString& title, const QString& folder,
                                                        const QString& filter, const QString& proposedName) {
    asked << Asked{QStringLiteral("save"), title, folder, filter, proposedName, Icon::None};
    if (files.isEmpty()) {
        unexpected("save dialog", title);
        return std::nullopt;
    }
    return files.dequeue();
}

std::optional<QString> ScriptedPlatform::chooseOpenFile(const QString& title, const QString& folder,
                                                        const QString& name, const QString& filter) {
    asked << Asked{QStringLiteral("open"), title, folder, filter, name, Icon::None};
    if (files.isEmpty()) {
        unexpected("open dialog", title);
        return std::nullopt;
    }
    return files.dequeue();
}

bool ScriptedPlatform::startDetached(const QString& program, const QStringList& arguments) {
    started << (QStringList{program} + arguments);
    return startSucceeds;
}

QStringList ScriptedPlatform::messageTexts() const {
    QStringList texts;
    for (const Asked& a : asked)
        if (a.what == QLatin1String("yesno") || a.what == QLatin1String("yesnocancel") ||
            a.what == QLatin1String("tell"))
            texts << a.text;
    return texts;
}
