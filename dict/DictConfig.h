#pragma once

#include "Filter.h"

#include <QString>
#include <functional>
#include <memory>

class IniFile;
class TADOEntity;

// The configuration of one dictionary view: its .dict file (captions, base query, columns) and what the entity
// adds in code (the query shown, the buttons that work, the filters and the refresh function).
class TDictConfig {
public:
    // Opens <configDir>dicts/<name>.dict; a missing file reads as empty. configDir defaults to the program's.
    explicit TDictConfig(const QString& name, const QString& configDir = DefaultConfigDir());
    ~TDictConfig();

    static QString DefaultConfigDir();

    int FilterCount() const { return int(Filters.size()); }
    TFilter* GetFilter(int index) const; // null outside 0 … FilterCount − 1
    TFilter* FindFilter(const QString& name) const; // the first with exactly that name, or null
    TFilter* AddFilter(std::unique_ptr<TFilter> filter);

    std::unique_ptr<::IniFile> IniFile;
    TFilterList Filters;
    TADOEntity* DataSet = nullptr; // the entity's query whose result the view displays; not owned
    bool CanAdd = false;
    bool CanEdit = false;
    bool CanDelete = false;
    std::function<void()> OnRefresh; // rebuilds and opens the entity's query
    QString SQL;                     // key SQL of section main
};
