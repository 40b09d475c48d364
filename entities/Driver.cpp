#include "Driver.h"

#include "DictConfig.h"

void TVYKDriver::Clear() {
    Surname.clear();
    FirstName.clear();
    Patronimyc.clear();
    Id = 0;
}

QString TVYKDriver::FullName() const { return Surname + QLatin1Char(' ') + FirstName + QLatin1Char(' ') + Patronimyc; }

TVYKDriverImpl::TVYKDriverImpl() { Clear(); }

bool TVYKDriverImpl::Load(int id) {
    Clear();
    if (id == 0)
        return false;
    LoadRow(QStringLiteral("drivers"), id, [this, id] {
        FirstName = GetText(QStringLiteral("name"));
        Surname = GetText(QStringLiteral("surname"));
        Patronimyc = GetText(QStringLiteral("patronimyc"));
        Id = id;
    });
    return Id != 0;
}

void TVYKDriverImpl::Save() {
    SaveRow(Id, QStringLiteral("drivers"),
            QStringLiteral("INSERT INTO drivers (id, name, surname, patronimyc) VALUES (:id, :name, :surname, :patronimyc)"),
            QStringLiteral("UPDATE drivers SET name =:name, surname =:surname, patronimyc =:patronimyc WHERE id=:id "),
            [this] {
                SetParam(QStringLiteral("name"), FirstName);
                SetParam(QStringLiteral("surname"), Surname);
                SetParam(QStringLiteral("patronimyc"), Patronimyc);
            });
}

bool TVYKDriverImpl::Delete(int id) {
    if (id == 0)
        id = Id;
    if (id <= 0)
        return false;
    return DeleteUnreferenced(id, QStringLiteral("select count(*) as cnt from records where driver_id = :id"),
                              QStringLiteral("delete from drivers where id = :id")) &&
           Rows != 0;
}

std::unique_ptr<TEntity> TVYKDriverImpl::CreateInstance() const { return std::make_unique<TVYKDriverImpl>(); }

std::unique_ptr<TDictConfig> TVYKDriverImpl::CreateDictConfig() {
    auto config = std::make_unique<TDictConfig>(QStringLiteral("Drivers"));
    config->DataSet = this;
    config->CanAdd = config->CanEdit = config->CanDelete = true;
    config->OnRefresh = [this] { Refresh(); };
    auto surname = std::make_unique<TFilter>();
    surname->Name = QStringLiteral("surname");
    surname->Caption = QStringLiteral("по фамилии");
    surname->Active = true;
    surname->Removable = true;
    surname->Kind = TFilter::KindText;
    surname->FieldName = QStringLiteral("SURNAME");
    config->AddFilter(std::move(surname));
    return config;
}

void TVYKDriverImpl::Refresh() {
    CloseQuery();
    SetSQL(DictConfig()->SQL);
    OpenQuery();
}
