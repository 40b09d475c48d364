#include "DictConfig.h"

#include "IniFile.h"
#include "VYKInterfaceForm.h"

TDictConfig::TDictConfig(const QString& name, const QString& configDir)
    : IniFile(std::make_unique<::IniFile>(configDir + QStringLiteral("dicts/") + name + QStringLiteral(".dict"))) {
    SQL = IniFile->ReadString(QStringLiteral("main"), QStringLiteral("SQL"), QString());
}

TDictConfig::~TDictConfig() = default;

QString TDictConfig::DefaultConfigDir() { return InterfaceForm ? InterfaceForm->GetConfigDir() : QString(); }

TFilter* TDictConfig::GetFilter(int index) const {
    return index >= 0 && index < FilterCount() ? Filters[size_t(index)].get() : nullptr;
}

TFilter* TDictConfig::FindFilter(const QString& name) const {
    for (const auto& filter : Filters)
        if (filter->Name == name)
            return filter.get();
    return nullptr;
}

TFilter* TDictConfig::AddFilter(std::unique_ptr<TFilter> filter) {
    Filters.push_back(std::move(filter));
    return Filters.back().get();
}
