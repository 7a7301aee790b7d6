// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// The probability lab's two settings and what they make: the chance ("49%") and Merrin's verdict.
// Made by the lab itself; needs nothing of the application.
class PopLabModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(double confidence READ confidence WRITE setConfidence NOTIFY changed)
    Q_PROPERTY(double coverage READ coverage WRITE setCoverage NOTIFY changed)
    Q_PROPERTY(QString chanceText READ chanceText NOTIFY changed)
    Q_PROPERTY(QString verdict READ verdict NOTIFY changed)

public:
    using QObject::QObject;

    [[nodiscard]] double confidence() const { return m_confidence; }
    [[nodiscard]] double coverage() const { return m_coverage; }
    void setConfidence(double value);
    void setCoverage(double value);

    [[nodiscard]] QString chanceText() const;
    [[nodiscard]] QString verdict() const;

Q_SIGNALS:
    void changed();

private:
    double m_confidence = 0;
    double m_coverage = 0;
};
