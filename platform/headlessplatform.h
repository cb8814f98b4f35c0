#pragma once

#include "platform/platform.h"

#include <cstdio>

// The platform of a run without windows (benchmarks, helper processes of tests): every question
// gets the same answer, every notice goes to standard error, no file is ever chosen.
class HeadlessPlatform final : public Platform {
public:
    explicit HeadlessPlatform(bool answer) : m_answer(answer) {}

    bool askYesNo(const QString& text, const QString&, Icon) override {
        if (!m_answer) std::fprintf(stderr, "question answered No: %s\n", qPrintable(text));
        return m_answer;
    }
    Answer askYesNoCancel(const QString& text, const QString& title, Icon icon) override {
        return askYesNo(text, title, icon) ? Answer::Yes : Answer::No;
    }
    void tell(const QString& text, const QString&, Icon) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    std::optional<QString> chooseSaveFile(const QString&, const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> chooseOpenFile(const QString&, const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    void setClipboardText(const QString&) override {}
    bool startDetached(const QString&, const QStringList&) override { return false; }
    QString shortDate() override { return QStringLiteral("12/7/2026"); }
    QString programFolder() override { return {}; }
    QString partsFolder() override { return {}; }

private:
    bool m_answer;
};
