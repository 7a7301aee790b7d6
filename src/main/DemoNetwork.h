// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QNetworkAccessManager>

class DemoScenario;

// A network that never leaves the process: every request is answered from the demo scenario,
// after a turn of the event loop, the way a server answers (status, headers, body). No socket
// is ever opened.
class DemoNetwork : public QNetworkAccessManager
{
    Q_OBJECT

public:
    explicit DemoNetwork(const DemoScenario &scenario, QObject *parent = nullptr);

protected:
    QNetworkReply *createRequest(Operation operation, const QNetworkRequest &request, QIODevice *outgoingData) override;

private:
    const DemoScenario &m_scenario;
};
