#include "Model.h"

#include "DictConfig.h"

#include <tuple>

void TVYKModel::Clear() {
    ModelName.clear();
    PrintLabel.clear();
    Class = IsTrailerClass(Class) ? kTrailerClass : kTractorClass;
    UnladenWeight = 0;
    Id = 0;
}

TVYKModelImpl::TVYKModelImpl(int modelClass) {
    Class = modelClass;
    Clear();
}

bool TVYKModelImpl::Load(int id) {
    Clear();
    if (id == 0)
        return false;
    LoadRow(QStringLiteral("models"), id, [this, id] {
        ModelName = GetText(QStringLiteral("name"));
        PrintLabel = GetText(QStringLiteral("printlabel"));
        UnladenWeight = GetInt(QStringLiteral("unladen_w"));
        Class = GetInt(QStringLiteral("class"));
        Id = id;
    });
    return Id != 0;
}

void TVYKModelImpl::Save() {
    SaveRow(Id, QStringLiteral("models"),
            QStringLiteral("INSERT INTO models (id, name, printlabel, class, unladen_w) "
                           "VALUES (:id, :name, :printlabel, :class, :unladen_w)"),
            QStringLiteral("UPDATE models SET name =:name, printlabel =:printlabel, class =:class, "
                           "unladen_w =:unladen_w WHERE id=:id "),
            [this] {
                SetParam(QStringLiteral("name"), ModelName);
                SetParam(QStringLiteral("printlabel"), PrintLabel);
                SetParam(QStringLiteral("class"), Class);
                SetParam(QStringLiteral("unladen_w"), UnladenWeight);
            });
}

bool TVYKModelImpl::Delete(int id) {
    return DeleteUnreferenced(id, QStringLiteral("select count(*) as cnt from vehicles where model_id = :id"),
                              QStringLiteral("delete from models where id = :id"));
}

std::unique_ptr<TEntity> TVYKModelImpl::CreateInstance() const {
    return std::make_unique<TVYKModelImpl>(IsTrailerClass(Class) ? kTrailerClass : kTractorClass);
}

std::unique_ptr<TDictConfig> TVYKModelImpl::CreateDictConfig() {
    auto config = std::make_unique<TDictConfig>(QStringLiteral("models"));
    config->DataSet = this;
    config->CanAdd = config->CanEdit = config->CanDelete = true;
    config->OnRefresh = [this] { Refresh(); };
    AddKindFilters(*config, Class, QStringLiteral("справочник моделей тягачей"),
                   QStringLiteral("справочник моделей прицепов"));
    return config;
}

void TVYKModelImpl::Refresh() {
    CloseQuery();
    SetSQL(ClassFilteredSql(*DictConfig()));
    OpenQuery();
}

QString ClassFilteredSql(const TDictConfig& config) {
    QString sql = config.SQL;
    bool conditioned = false;
    if (const TFilter* tractors = config.FindFilter(QStringLiteral("tractors")); tractors && tractors->Active) {
        sql += QStringLiteral(" where (m.class < 200)");
        conditioned = true;
    }
    if (const TFilter* trailers = config.FindFilter(QStringLiteral("trailers")); trailers && trailers->Active)
        sql += (conditioned ? QStringLiteral(" and") : QStringLiteral(" where")) + QStringLiteral(" (m.class >= 200)");
    return sql;
}

void AddKindFilters(TDictConfig& config, int modelClass, const QString& tractorsCaption,
                    const QString& trailersCaption) {
    const bool trailer = IsTrailerClass(modelClass);
    for (const auto& [name, caption, own] : {std::tuple{QStringLiteral("tractors"), tractorsCaption, !trailer},
                                             std::tuple{QStringLiteral("trailers"), trailersCaption, trailer}}) {
        auto filter = std::make_unique<TFilter>();
        filter->Name = name;
        filter->Caption = caption;
        filter->Active = own;
        filter->InMenu = own;
        filter->Removable = false;
        filter->Requery = true;
        config.AddFilter(std::move(filter));
    }
}
