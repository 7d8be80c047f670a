#pragma once
// TRegistry: keys and string values of the current user's registry, kept in the
// platform's file-backed store. Key paths use "\"; a path starting with "\" is
// absolute, any other is relative to the open key. Names ignore case.

#include "platform/RegistryStore.h"

#include <QString>
#include <QStringList>
#include <cstdint>

using HKEY = std::uintptr_t;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;

class TRegistry {
public:
    TRegistry();
    // A registry over another store folder (tests).
    explicit TRegistry(const RegistryStore& store);
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    // Only HKEY_CURRENT_USER has a store; under any other root every key is missing.
    HKEY RootKey() const { return FRootKey; }
    void SetRootKey(HKEY rootKey);

    // Makes `key` the open key; with `canCreate` missing keys are created. False when
    // the key does not exist (and may not be created) or its path is invalid.
    bool OpenKey(const QString& key, bool canCreate);
    // Opens an existing key for reading; writing to it then fails.
    bool OpenKeyReadOnly(const QString& key);
    bool KeyExists(const QString& key) const;
    // Deletes the key with every key and value below it.
    bool DeleteKey(const QString& key);
    void CloseKey();
    // "\"-separated path of the open key from the root, empty when none is open.
    QString CurrentPath() const { return FCurrentNames.join(QLatin1Char('\\')); }

    // Values of the open key (of the root when no key is open).
    // Raises ERegistryException "Failed to set data for '%s'" when the value cannot
    // be written (read-only key, deleted key, full disk).
    void WriteString(const QString& name, const QString& value);
    // Empty when the value does not exist.
    QString ReadString(const QString& name) const;
    bool ValueExists(const QString& name) const;
    bool DeleteValue(const QString& name);

private:
    bool HasStore() const { return FRootKey == HKEY_CURRENT_USER; }
    // The names of `key` from the root, resolved against the open key.
    std::optional<QStringList> AbsoluteNames(const QString& key) const;
    std::optional<QString> CurrentFolder() const;

    RegistryStore FStore;
    HKEY FRootKey = HKEY_CURRENT_USER;
    QStringList FCurrentNames;
    bool FKeyOpen = false;
    bool FReadOnly = false;
};
