#pragma once
// The current user's registry as a folder tree: a key is a folder, a string value
// is a file "<name>.value" holding the text in UTF-8 (the default value, whose name
// is empty, is ".value"). Key and value names compare case-insensitively, as in the
// Windows registry; new names keep the case they were created with.
// The default store is $XDG_CONFIG_HOME/zarvofx/registry (~/.config when unset).

#include <QString>
#include <QStringList>
#include <optional>

class RegistryStore {
public:
    // A store rooted at `rootFolder`, which is created when the first key is.
    explicit RegistryStore(QString rootFolder = DefaultRootFolder());

    static QString DefaultRootFolder();
    const QString& RootFolder() const { return FRoot; }

    // Splits a "\"-separated key path into its names. Empty names (doubled "\"),
    // ".", "..", names with "/" or NUL and over-long names are refused, so no key
    // can lead outside the store. One leading and one trailing "\" are allowed.
    static std::optional<QStringList> SplitKeyPath(const QString& keyPath);

    // The folder of an existing key given by names from the root, found without
    // regard to case; no value when a name is missing.
    std::optional<QString> FindKey(const QStringList& names) const;
    // The folder of the key, creating what is missing.
    std::optional<QString> CreateKey(const QStringList& names) const;
    // Removes the key with everything below it. The root itself cannot be deleted.
    bool DeleteKey(const QStringList& names) const;

    // Values of the key whose folder `keyFolder` was returned by FindKey/CreateKey.
    // Writing replaces the file atomically and never creates the key itself.
    bool WriteString(const QString& keyFolder, const QString& name, const QString& value) const;
    std::optional<QString> ReadString(const QString& keyFolder, const QString& name) const;
    bool ValueExists(const QString& keyFolder, const QString& name) const;
    bool DeleteValue(const QString& keyFolder, const QString& name) const;

private:
    QString FRoot;
};
