// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/KeyStore.h"

#include "platform/Log.h"

#include <QDebug>
#include <QPointer>
#include <QStringDecoder>

#include <QCoroSignal>

#include <qt6keychain/keychain.h>

namespace {

bool isMissingBackend(QKeychain::Error error)
{
    // A missing Secret Service shows up as OtherError (the D-Bus call fails), not only as
    // NoBackendAvailable.
    return error == QKeychain::NoBackendAvailable || error == QKeychain::OtherError
        || error == QKeychain::NotImplemented;
}

template <typename Job>
QCoro::Task<QKeychain::Error> run(Job *job)
{
    job->setAutoDelete(false);
    job->setInsecureFallback(false);
    job->start();
    co_await qCoro(job, &QKeychain::Job::finished);
    co_return job->error();
}

} // namespace

KeyStore::KeyStore(QString service, QObject *parent)
    : QObject(parent)
    , m_service(std::move(service))
{ }

KeyStore::KeyStore(MemoryOnly memory, QObject *parent)
    : QObject(parent)
    , m_memoryOnly(true)
    , m_keyringAvailable(false)
    , m_memory(std::move(memory.keys))
{ }

void KeyStore::noteBackend(int keychainError)
{
    const bool available = !isMissingBackend(static_cast<QKeychain::Error>(keychainError));
    if (available != m_keyringAvailable) {
        m_keyringAvailable = available;
        if (!available) {
            qCWarning(platformLog).noquote() << "[keys] no keyring answers; keys saved now last until the app quits";
        }
        Q_EMIT keyringAvailableChanged();
    }
}

QCoro::Task<std::optional<QString>> KeyStore::readKey(QString account)
{
    if (m_memoryOnly) {
        const auto it = m_memory.constFind(account);
        co_return it == m_memory.cend() ? std::nullopt : std::optional<QString>(it.value());
    }
    QPointer<KeyStore> self(this);
    auto job = std::make_unique<QKeychain::ReadPasswordJob>(m_service);
    job->setKey(account);
    const QKeychain::Error error = co_await run(job.get());
    if (!self) {
        co_return std::nullopt;
    }
    if (error != QKeychain::EntryNotFound) {
        noteBackend(error);
    }
    if (error == QKeychain::NoError) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString value = decoder(job->binaryData());
        if (decoder.hasError()) {
            co_return std::nullopt;
        }
        co_return value;
    }
    if (auto it = m_memory.constFind(account); it != m_memory.cend()) {
        co_return it.value();
    }
    co_return std::nullopt;
}

QCoro::Task<> KeyStore::storeKey(QString account, QString value)
{
    if (m_memoryOnly) {
        m_memory.insert(account, value);
        co_return;
    }
    QPointer<KeyStore> self(this);
    auto job = std::make_unique<QKeychain::WritePasswordJob>(m_service);
    job->setKey(account);
    job->setBinaryData(value.toUtf8());
    const QKeychain::Error error = co_await run(job.get());
    if (!self) {
        co_return;
    }
    noteBackend(error);
    if (error == QKeychain::NoError) {
        m_memory.remove(account);
    } else if (isMissingBackend(error)) {
        m_memory.insert(account, value);
    } else {
        qCWarning(platformLog).noquote() << "[keys] could not save" << account << "in the keyring";
    }
}

QCoro::Task<> KeyStore::deleteKey(QString account)
{
    if (m_memoryOnly) {
        m_memory.remove(account);
        co_return;
    }
    QPointer<KeyStore> self(this);
    auto job = std::make_unique<QKeychain::DeletePasswordJob>(m_service);
    job->setKey(account);
    const QKeychain::Error error = co_await run(job.get());
    if (!self) {
        co_return;
    }
    if (error != QKeychain::EntryNotFound) {
        noteBackend(error);
    }
    m_memory.remove(account);
}
