// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

class AppModel;
class Clock;

// The briefing card's view of the app model: which status line follows the briefing and its
// dots, the Ask conversation, the field's placeholder and the text being typed, and what a send
// asks. Sending and clearing go to the model.
class BriefingViewModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Provided by the application")
    Q_PROPERTY(StatusLine statusLine READ statusLine NOTIFY statusLineChanged)
    Q_PROPERTY(int dots READ dots NOTIFY dotsChanged)
    Q_PROPERTY(QVariantList askHistory READ askHistory NOTIFY askHistoryChanged)
    Q_PROPERTY(bool hasExchange READ hasExchange NOTIFY askHistoryChanged)
    Q_PROPERTY(QString placeholder READ placeholder NOTIFY placeholderChanged)
    Q_PROPERTY(QString question READ question WRITE setQuestion NOTIFY questionChanged)

public:
    enum class StatusLine { None, Expanding, StayTuned };
    Q_ENUM(StatusLine)

    // model and clock must outlive the view model.
    BriefingViewModel(AppModel &model, const Clock &clock, QObject *parent = nullptr);

    [[nodiscard]] StatusLine statusLine() const;
    // 0 to 3, moving on every 0.45 seconds while a status line shows.
    [[nodiscard]] int dots() const { return m_dots; }
    // One map per exchange, oldest first: "question" and "answer".
    [[nodiscard]] QVariantList askHistory() const;
    [[nodiscard]] bool hasExchange() const;
    [[nodiscard]] QString placeholder() const;

    [[nodiscard]] QString question() const { return m_question; }
    // The field's text. A line break in it sends the text at once, flattened to one line.
    void setQuestion(const QString &text);

    // Asks what the field (or, on a fresh conversation, the suggestion) holds. Nothing while an
    // answer is loading: the typed text stays. Otherwise the field empties and `sent` tells the
    // panel to let go of the focus.
    Q_INVOKABLE void send();
    // A new conversation: the history and its error go.
    Q_INVOKABLE void clearConversation();

Q_SIGNALS:
    void statusLineChanged();
    void dotsChanged();
    void askHistoryChanged();
    void placeholderChanged();
    void questionChanged();
    void sent();

private:
    void updateTicking();
    void tick();

    QPointer<AppModel> m_model;
    const Clock &m_clock;
    QString m_question;
    int m_dots = 0;
    QTimer m_ticker;
};
