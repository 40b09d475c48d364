#pragma once

#include "Model.h"

// A tractor unit or a trailer; its model's class says which.
class TVYKVehicle : public TVisualEntity {
public:
    int TypeCode() const override { return TYPE_VEHICLE; }

    std::unique_ptr<TVYKModel> Model; // owned for the vehicle's whole life
    QString RegNum;                   // registration number, upper case

    bool IsTrailer() const { return IsTrailerClass(Model->Class); }
};

class TVYKVehicleImpl : public TVYKVehicle, public TReferenceEntityImpl {
public:
    // modelClass: 100 makes a tractor, 200 a trailer; the kind survives Clear.
    explicit TVYKVehicleImpl(int modelClass = kTractorClass);

    void Clear() override;
    bool Load(int id) override;
    void Save() override;
    // Refused (false) while a journal record names the vehicle as tractor or trailer.
    bool Delete(int id) override;
    std::unique_ptr<TEntity> CreateInstance() const override;
    std::unique_ptr<TDictConfig> CreateDictConfig() override;

    void Refresh();
};
