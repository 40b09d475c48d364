#pragma once

#include "ADOEntity.h"
#include "Entity.h"

#include <QDateTime>

// Kinds of weight.
enum TWeighingType : int {
    WEIGHING_VEHICLE = 1, // the whole vehicle (a total)
    WEIGHING_BOGIE = 2,
    WEIGHING_AXLE = 3,
};

// One weight: the whole vehicle, a bogie or an axle, fixed from the scales or derived by the program.
class TVYKWeighing : public TEntity {
public:
    int TypeCode() const override { return TYPE_WEIGHING; }
    void Clear() override;

    bool Calc = false;  // derived by the program
    int Type = 0;       // TWeighingType; 0 when cleared
    QDateTime TimeStamp;
    int AxleCount = 0;  // axles carried by a bogie; 1 for an axle split from a bogie
    int Num = 0;        // position among the bogies (1–6) or axles (1–9); 0 for a total
    int Weight = 0;     // kg
    int Error = 0;      // reserved: kept as read, 0 for new weights
    int Limit = 0;      // reserved: kept as read, 0 for new weights
    int BogieIndex = 0; // not stored: for an axle split from a bogie, the bogie's index from 0
};

class TVYKWeighingImpl : public TVYKWeighing, public TADOEntity {
public:
    TVYKWeighingImpl();

    bool Load(int id) override;
    // Inserts (allocating the id) or updates; does not write msr_id. A failure raises and leaves Id as it was.
    void Save() override;
    // Deletes every weighing of the measurement measurementId; true when at least one row went.
    bool Delete(int measurementId) override;
    std::unique_ptr<TEntity> CreateInstance() const override;
};
