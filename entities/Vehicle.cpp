#include "Vehicle.h"

#include "DictConfig.h"

TVYKVehicleImpl::TVYKVehicleImpl(int modelClass) {
    Model = std::make_unique<TVYKModelImpl>(modelClass);
    Clear();
}

void TVYKVehicleImpl::Clear() {
    Model->Clear();
    RegNum.clear();
    Id = 0;
}

bool TVYKVehicleImpl::Load(int id) {
    Clear();
    if (id == 0)
        return false;
    int modelId = 0;
    LoadRow(QStringLiteral("vehicles"), id, [this, id, &modelId] {
        RegNum = GetText(QStringLiteral("regnum"));
        modelId = GetInt(QStringLiteral("model_id"));
        Id = id;
    });
    if (Id != 0)
        Model->Load(modelId);
    return Id != 0;
}

void TVYKVehicleImpl::Save() {
    SaveRow(Id, QStringLiteral("vehicles"),
            QStringLiteral("INSERT INTO vehicles (id, model_id, regnum) VALUES (:id, :model_id, :regnum)"),
            QStringLiteral("UPDATE vehicles SET model_id =:model_id, regnum =:regnum WHERE id=:id "), [this] {
                SetParam(QStringLiteral("model_id"), Model->Id);
                SetParam(QStringLiteral("regnum"), RegNum);
            });
}

bool TVYKVehicleImpl::Delete(int id) {
    return DeleteUnreferenced(
        id, QStringLiteral("select count(*) as cnt from records where tractor_id = :id or trailer_id = :id"),
        QStringLiteral("delete from vehicles where id = :id"));
}

std::unique_ptr<TEntity> TVYKVehicleImpl::CreateInstance() const {
    return std::make_unique<TVYKVehicleImpl>(IsTrailer() ? kTrailerClass : kTractorClass);
}

std::unique_ptr<TDictConfig> TVYKVehicleImpl::CreateDictConfig() {
    auto config = std::make_unique<TDictConfig>(QStringLiteral("vehicles"));
    config->DataSet = this;
    config->CanAdd = config->CanEdit = config->CanDelete = true;
    config->OnRefresh = [this] { Refresh(); };
    AddKindFilters(*config, Model->Class, QStringLiteral("справочник тягачей"), QStringLiteral("справочник прицепов"));
    auto regmark = std::make_unique<TFilter>();
    regmark->Name = QStringLiteral("regmark");
    regmark->Caption = QStringLiteral("c гос. номером"); // the first letter is a Latin c
    regmark->Active = true;
    regmark->Removable = true;
    regmark->Kind = TFilter::KindText;
    regmark->FieldName = QStringLiteral("REGNUM");
    config->AddFilter(std::move(regmark));
    return config;
}

void TVYKVehicleImpl::Refresh() {
    CloseQuery();
    SetSQL(ClassFilteredSql(*DictConfig()));
    OpenQuery();
}
