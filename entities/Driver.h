#pragma once

#include "ReferenceEntity.h"

class TVYKDriver : public TVisualEntity {
public:
    int TypeCode() const override { return TYPE_DRIVER; }
    void Clear() override;
    // Surname, first name and patronymic separated by one blank each, also around empty parts.
    virtual QString FullName() const;

    QString Surname;
    QString FirstName;
    QString Patronimyc;
};

class TVYKDriverImpl : public TVYKDriver, public TReferenceEntityImpl {
public:
    TVYKDriverImpl();

    bool Load(int id) override;
    void Save() override;
    // id 0 deletes this driver. Refused (false) while a journal record names the driver; true only when a row went.
    bool Delete(int id) override;
    std::unique_ptr<TEntity> CreateInstance() const override;
    std::unique_ptr<TDictConfig> CreateDictConfig() override;

    void Refresh();
};
