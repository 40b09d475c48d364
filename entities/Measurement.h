#pragma once

#include "ADOEntity.h"
#include "Weighing.h"

#include <array>

// Everything weighed of one vehicle on one pass: a vehicle total, up to six bogies and up to nine axles. It owns
// its weighings and derives the total and, for bogies, the axle weights.
class TVYKMeasurement : public TEntity {
public:
    static constexpr int kMaxBogies = 6;
    static constexpr int kMaxAxles = 9;

    int TypeCode() const override { return TYPE_MEASUREMENT; }
    void Clear() override;

    // Takes the weighing into the next free place of its kind and updates the totals. On true the measurement
    // owns it (weighing is emptied); on false (a second total, a seventh bogie, a tenth axle) the caller keeps it.
    virtual bool AddWeighing(std::unique_ptr<TVYKWeighing>& weighing);
    // Derives the vehicle total (bogie and axle modes) and the axles split from the bogies.
    virtual void UpdateTotals();

    // The weighings in saving order: the total, the bogies 1–6, the axles 1–9, without empty places.
    std::vector<TVYKWeighing*> Weighings() const;

    int Type = 0; // the mode: the type of the last weighing added
    QDateTime TimeStamp;
    std::unique_ptr<TVYKWeighing> VehicleWeighing;
    std::array<std::unique_ptr<TVYKWeighing>, kMaxBogies> BogieWeighings; // positions 1–6 at 0–5
    std::array<std::unique_ptr<TVYKWeighing>, kMaxAxles> AxleWeighings;   // positions 1–9 at 0–8
    int BogieCount = 0;
    int AxleCount = 0;

protected:
    virtual std::unique_ptr<TVYKWeighing> NewWeighing() const = 0;

private:
    TVYKWeighing& DerivedTotal();
};

class TVYKMeasurementImpl : public TVYKMeasurement, public TADOEntity {
public:
    TVYKMeasurementImpl();
    ~TVYKMeasurementImpl() override;

    // Loads the measure row and its weighings; wrong or doubled weighings are reported and left out.
    bool Load(int id) override;
    // Writes the measure row, saves the weighings not yet stored and points them all at it, in one transaction.
    // A failure raises, leaves the database as it was and the ids as they were.
    void Save() override;
    // Deletes the measurement's weighings and its row; a failure is reported and undoes both.
    bool Delete(int id) override;
    std::unique_ptr<TEntity> CreateInstance() const override;

protected:
    std::unique_ptr<TVYKWeighing> NewWeighing() const override;

private:
    void LoadWeighing(int weighingId);
};
