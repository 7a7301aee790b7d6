// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PopLabModel.h"

#include "ui/text/PopLab.h"

void PopLabModel::setConfidence(double value)
{
    if (value != m_confidence) {
        m_confidence = value;
        Q_EMIT changed();
    }
}

void PopLabModel::setCoverage(double value)
{
    if (value != m_coverage) {
        m_coverage = value;
        Q_EMIT changed();
    }
}

QString PopLabModel::chanceText() const
{
    return QString::number(pop_lab::chance(m_confidence, m_coverage)) + QLatin1Char('%');
}

QString PopLabModel::verdict() const
{
    return pop_lab::verdict(m_confidence, m_coverage);
}
