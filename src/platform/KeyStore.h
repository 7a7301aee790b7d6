// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <QCoroTask>

#include <optional>

// API keys in the desktop keyring (Secret Service, through QtKeychain): one item per account,
// under the application id, holding the key's UTF-8 bytes. Never falls back to a plain file.
//
// Keyring failures are silent: a read gives nothing, a write or delete leaves what was there.
// When no Secret Service answers at all, keys saved during this run are kept in memory so the
// app still works, and keyringAvailable() turns false so the settings screen can say the key
// will not be remembered. Key values never reach a log line.
class KeyStore : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool keyringAvailable READ keyringAvailable NOTIFY keyringAvailableChanged)

public:
    static inline const QString kAnthropicAccount = QStringLiteral("anthropic-api-key");
    static inline const QString kGoogleAccount = QStringLiteral("google-tts-api-key");
    static inline const QString kDefaultService = QStringLiteral("org.merrinvale.MerrinVale");

    explicit KeyStore(QString service = kDefaultService, QObject *parent = nullptr);

    // Keys kept in memory for this run only, starting with the given ones; the keyring is never
    // asked and keyringAvailable() is false. The demo's placeholder key lives in one.
    struct MemoryOnly
    {
        QHash<QString, QString> keys; // account to key
    };
    explicit KeyStore(MemoryOnly memory, QObject *parent = nullptr);

    [[nodiscard]] QCoro::Task<std::optional<QString>> readKey(QString account);
    // Replaces the account's item with the value (creating it when there is none).
    [[nodiscard]] QCoro::Task<> storeKey(QString account, QString value);
    [[nodiscard]] QCoro::Task<> deleteKey(QString account);

    [[nodiscard]] bool keyringAvailable() const { return m_keyringAvailable; }

Q_SIGNALS:
    void keyringAvailableChanged();

private:
    void noteBackend(int keychainError);

    QString m_service;
    bool m_memoryOnly = false;
    bool m_keyringAvailable = true;
    QHash<QString, QString> m_memory; // used while no keyring answers, and by a MemoryOnly store
};
