// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BriefingViewModel.h"

#include "app/AppModel.h"
#include "net/Clock.h"
#include "net/Detached.h"
#include "ui/text/BriefingText.h"

#include <QVariantMap>

BriefingViewModel::BriefingViewModel(AppModel &model, const Clock &clock, QObject *parent)
    : QObject(parent)
    , m_model(&model)
    , m_clock(clock)
{
    m_ticker.setSingleShot(true);
    connect(&m_ticker, &QTimer::timeout, this, &BriefingViewModel::tick);
    for (const auto signal :
        { &AppModel::briefingLoadingChanged, &AppModel::briefingChanged, &AppModel::briefingRewritingChanged }) {
        connect(&model, signal, this, [this] {
            Q_EMIT statusLineChanged();
            updateTicking();
        });
    }
    connect(&model, &AppModel::askHistoryChanged, this, [this] {
        Q_EMIT askHistoryChanged();
        Q_EMIT placeholderChanged();
    });
    connect(&model, &AppModel::suggestedQuestionChanged, this, &BriefingViewModel::placeholderChanged);
    updateTicking();
}

BriefingViewModel::StatusLine BriefingViewModel::statusLine() const
{
    if (!m_model) {
        return StatusLine::None;
    }
    switch (briefing_text::statusLine(
        m_model->briefingLoading(), m_model->briefing().has_value(), m_model->briefingRewriting())) {
    case briefing_text::StatusLine::Expanding:
        return StatusLine::Expanding;
    case briefing_text::StatusLine::StayTuned:
        return StatusLine::StayTuned;
    case briefing_text::StatusLine::None:
        break;
    }
    return StatusLine::None;
}

QVariantList BriefingViewModel::askHistory() const
{
    QVariantList out;
    if (m_model) {
        for (const QaPair &pair : m_model->askHistory()) {
            out.append(QVariantMap {
                { QStringLiteral("question"), pair.question }, { QStringLiteral("answer"), pair.answer } });
        }
    }
    return out;
}

bool BriefingViewModel::hasExchange() const
{
    return m_model && !m_model->askHistory().isEmpty();
}

QString BriefingViewModel::placeholder() const
{
    return briefing_text::askPlaceholder(hasExchange(), m_model ? m_model->suggestedQuestionText() : QString());
}

void BriefingViewModel::setQuestion(const QString &text)
{
    const std::optional<QString> flat = briefing_text::flattenedLineBreaks(text);
    const QString kept = flat.value_or(text);
    if (kept != m_question) {
        m_question = kept;
        Q_EMIT questionChanged();
    }
    if (flat) {
        send();
    }
}

void BriefingViewModel::send()
{
    if (!m_model || m_model->askLoading()) {
        return;
    }
    const std::optional<QString> question =
        briefing_text::questionToSend(m_question, hasExchange(), m_model->suggestedQuestionText());
    if (!question) {
        return;
    }
    if (!m_question.isEmpty()) {
        m_question.clear();
        Q_EMIT questionChanged();
    }
    Q_EMIT sent();
    net::startDetached(m_model->ask(*question), QStringLiteral("ask"));
}

void BriefingViewModel::clearConversation()
{
    if (m_model) {
        m_model->clearConversation();
    }
}

void BriefingViewModel::updateTicking()
{
    if (statusLine() == StatusLine::None) {
        m_ticker.stop();
    } else if (!m_ticker.isActive()) {
        tick();
    }
}

void BriefingViewModel::tick()
{
    const qint64 now = m_clock.now().toMSecsSinceEpoch();
    const int dots = briefing_text::statusDots(now);
    if (dots != m_dots) {
        m_dots = dots;
        Q_EMIT dotsChanged();
    }
    if (statusLine() != StatusLine::None) {
        m_ticker.start(briefing_text::msecsToNextDot(now));
    }
}
