#include "framework/Registry.h"

#include "framework/Exceptions.h"

TRegistry::TRegistry() = default;

TRegistry::TRegistry(const RegistryStore& store) : FStore(store) {}

TRegistry::~TRegistry() {
    CloseKey();
}

void TRegistry::SetRootKey(HKEY rootKey) {
    if (rootKey == FRootKey)
        return;
    CloseKey();
    FRootKey = rootKey;
}

std::optional<QStringList> TRegistry::AbsoluteNames(const QString& key) const {
    const std::optional<QStringList> names = RegistryStore::SplitKeyPath(key);
    if (!names)
        return std::nullopt;
    const bool relative = !key.startsWith(QLatin1Char('\\'));
    return relative && FKeyOpen ? FCurrentNames + *names : *names;
}

std::optional<QString> TRegistry::CurrentFolder() const {
    if (!HasStore())
        return std::nullopt;
    return FStore.FindKey(FKeyOpen ? FCurrentNames : QStringList());
}

bool TRegistry::OpenKey(const QString& key, bool canCreate) {
    const std::optional<QStringList> names = AbsoluteNames(key);
    if (!names || !HasStore())
        return false;
    const std::optional<QString> folder =
        canCreate ? FStore.CreateKey(*names) : FStore.FindKey(*names);
    if (!folder)
        return false;
    FCurrentNames = *names;
    FKeyOpen = true;
    FReadOnly = false;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const QString& key) {
    if (!OpenKey(key, false))
        return false;
    FReadOnly = true;
    return true;
}

bool TRegistry::KeyExists(const QString& key) const {
    const std::optional<QStringList> names = AbsoluteNames(key);
    return names && HasStore() && FStore.FindKey(*names).has_value();
}

bool TRegistry::DeleteKey(const QString& key) {
    const std::optional<QStringList> names = AbsoluteNames(key);
    return names && HasStore() && FStore.DeleteKey(*names);
}

void TRegistry::CloseKey() {
    FCurrentNames.clear();
    FKeyOpen = false;
    FReadOnly = false;
}

void TRegistry::WriteString(const QString& name, const QString& value) {
    const std::optional<QString> folder = CurrentFolder();
    if (FReadOnly || !folder || !FStore.WriteString(*folder, name, value))
        throw ERegistryException(QStringLiteral("Failed to set data for '%1'").arg(name));
}

QString TRegistry::ReadString(const QString& name) const {
    const std::optional<QString> folder = CurrentFolder();
    if (!folder)
        return QString();
    return FStore.ReadString(*folder, name).value_or(QString());
}

bool TRegistry::ValueExists(const QString& name) const {
    const std::optional<QString> folder = CurrentFolder();
    return folder && FStore.ValueExists(*folder, name);
}

bool TRegistry::DeleteValue(const QString& name) {
    const std::optional<QString> folder = CurrentFolder();
    return !FReadOnly && folder && FStore.DeleteValue(*folder, name);
}
