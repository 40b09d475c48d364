#include "Measurement.h"

#include "Exception.h"
#include "Strtools.h"
#include "Transaction.h"
#include "VYKInterfaceForm.h"

#include <algorithm>

namespace {

const QString kLoadFailed = QStringLiteral("Сбой при загрузке измерения из БД");

} // namespace

void TVYKMeasurement::Clear() {
    VehicleWeighing.reset();
    for (auto& bogie : BogieWeighings)
        bogie.reset();
    for (auto& axle : AxleWeighings)
        axle.reset();
    Type = 0;
    TimeStamp = QDateTime();
    AxleCount = 0;
    BogieCount = 0;
    Id = 0;
}

bool TVYKMeasurement::AddWeighing(std::unique_ptr<TVYKWeighing>& weighing) {
    if (!weighing)
        return false;
    switch (weighing->Type) {
    case WEIGHING_VEHICLE:
        if (VehicleWeighing)
            return false;
        VehicleWeighing = std::move(weighing);
        Type = WEIGHING_VEHICLE;
        break;
    case WEIGHING_BOGIE:
        if (BogieCount >= kMaxBogies)
            return false;
        BogieWeighings[size_t(BogieCount++)] = std::move(weighing);
        Type = WEIGHING_BOGIE;
        break;
    case WEIGHING_AXLE:
        if (AxleCount >= kMaxAxles)
            return false;
        AxleWeighings[size_t(AxleCount++)] = std::move(weighing);
        Type = WEIGHING_AXLE;
        break;
    default:
        return false;
    }
    UpdateTotals();
    return true;
}

TVYKWeighing& TVYKMeasurement::DerivedTotal() {
    if (!VehicleWeighing) {
        VehicleWeighing = NewWeighing();
        VehicleWeighing->Type = WEIGHING_VEHICLE;
        VehicleWeighing->Calc = true;
    }
    VehicleWeighing->Weight = 0;
    VehicleWeighing->TimeStamp = QDateTime::currentDateTime();
    return *VehicleWeighing;
}

void TVYKMeasurement::UpdateTotals() {
    if (Type == WEIGHING_BOGIE) {
        TVYKWeighing& total = DerivedTotal();
        AxleCount = 0;
        for (int i = 0; i < std::min(BogieCount, kMaxBogies); ++i) {
            if (!BogieWeighings[size_t(i)])
                continue; // a place a damaged stored measurement left empty
            const TVYKWeighing& bogie = *BogieWeighings[size_t(i)];
            total.Weight += bogie.Weight;
            for (int split = 0; split < bogie.AxleCount && AxleCount < kMaxAxles; ++split) {
                auto& place = AxleWeighings[size_t(AxleCount)];
                if (!place)
                    place = NewWeighing();
                place->Calc = true;
                place->Type = WEIGHING_AXLE;
                place->AxleCount = 1;
                place->Num = AxleCount + 1;
                place->TimeStamp = bogie.TimeStamp;
                place->Weight = bogie.Weight / bogie.AxleCount; // the remainder is dropped
                place->BogieIndex = i;
                ++AxleCount;
            }
        }
    } else if (Type == WEIGHING_AXLE) {
        TVYKWeighing& total = DerivedTotal();
        for (int i = 0; i < std::min(AxleCount, kMaxAxles); ++i)
            if (AxleWeighings[size_t(i)])
                total.Weight += AxleWeighings[size_t(i)]->Weight;
    }
}

std::vector<TVYKWeighing*> TVYKMeasurement::Weighings() const {
    std::vector<TVYKWeighing*> list;
    if (VehicleWeighing)
        list.push_back(VehicleWeighing.get());
    for (const auto& bogie : BogieWeighings)
        if (bogie)
            list.push_back(bogie.get());
    for (const auto& axle : AxleWeighings)
        if (axle)
            list.push_back(axle.get());
    return list;
}

TVYKMeasurementImpl::TVYKMeasurementImpl() { Clear(); }

TVYKMeasurementImpl::~TVYKMeasurementImpl() { Clear(); }

std::unique_ptr<TVYKWeighing> TVYKMeasurementImpl::NewWeighing() const { return std::make_unique<TVYKWeighingImpl>(); }

std::unique_ptr<TEntity> TVYKMeasurementImpl::CreateInstance() const { return std::make_unique<TVYKMeasurementImpl>(); }

bool TVYKMeasurementImpl::Load(int id) {
    Clear();
    if (id == 0)
        return false;
    SetSQL(QStringLiteral("select * from measure where id = :id"));
    SetParam(QStringLiteral("id"), id);
    Open();
    if (Rows != 1) {
        ReportError(QStringLiteral("[ id %1, cnt %2 ]").arg(id).arg(Rows) +
                        QStringLiteral("\n@ TVYKMeasurementImpl::Load"),
                    kLoadFailed);
        CloseQuery();
        return false;
    }
    TimeStamp = GetTimeStamp(QStringLiteral("time_stamp"));
    Type = GetInt(QStringLiteral("type"));
    AxleCount = GetInt(QStringLiteral("axes_cnt"));
    BogieCount = GetInt(QStringLiteral("bogies_cnt"));
    CloseQuery();
    Id = id;

    SetSQL(QStringLiteral("select id from weighs where msr_id = :id"));
    SetParam(QStringLiteral("id"), id);
    Open();
    std::vector<int> ids;
    for (; !Eof(); Next())
        ids.push_back(GetInt(QStringLiteral("id")));
    CloseQuery();
    for (int weighingId : ids)
        LoadWeighing(weighingId);
    return Id != 0;
}

namespace {

void ReportRejected(const QString& text) {
    ReportError(text + QStringLiteral("\n@ TVYKMeasurementImpl::LoadWeighing"), kLoadFailed);
}

// Puts a loaded bogie or axle into place n (from 1) unless n is out of range or taken, which is reported.
template <size_t Places>
void PlaceWeighing(std::array<std::unique_ptr<TVYKWeighing>, Places>& places, std::unique_ptr<TVYKWeighing>& weighing,
                   int weighingId, const QString& wrongNumber, const QString& doubled) {
    const int n = weighing->Num;
    if (n < 1 || n > int(Places))
        ReportRejected(wrongNumber.arg(weighingId).arg(n));
    else if (places[size_t(n - 1)])
        ReportRejected(doubled.arg(weighingId).arg(n));
    else
        places[size_t(n - 1)] = std::move(weighing);
}

} // namespace

void TVYKMeasurementImpl::LoadWeighing(int weighingId) {
    std::unique_ptr<TVYKWeighing> weighing = std::make_unique<TVYKWeighingImpl>();
    if (!weighing->Load(weighingId))
        return;
    switch (weighing->Type) {
    case WEIGHING_VEHICLE:
        if (VehicleWeighing)
            ReportRejected(QStringLiteral("дублирование веса ТС [ id = %1 ]").arg(weighingId));
        else
            VehicleWeighing = std::move(weighing);
        break;
    case WEIGHING_BOGIE:
        PlaceWeighing(BogieWeighings, weighing, weighingId, QStringLiteral("некорректный номер тележки [ id = %1, n = %2 ]"),
                      QStringLiteral("дублирование веса тележки [ id = %1, n = %2 ]"));
        break;
    case WEIGHING_AXLE:
        PlaceWeighing(AxleWeighings, weighing, weighingId, QStringLiteral("некорректный номер оси [ id = %1, n = %2 ]"),
                      QStringLiteral("дублирование веса оси [ id = %1, n = %2 ]"));
        break;
    default:
        break; // a weight of an unknown kind is not kept
    }
}

void TVYKMeasurementImpl::Save() {
    const int oldId = Id;
    std::vector<TVYKWeighing*> inserted; // weighings this save gives an id
    try {
        TTransaction transaction; // the measure row and its weighings: all or nothing
        SaveRow(Id, QStringLiteral("measure"),
                QStringLiteral("INSERT INTO measure (id, time_stamp, type, axes_cnt, bogies_cnt) "
                               "VALUES (:id, :time_stamp, :type, :axes_cnt, :bogies_cnt)"),
                QStringLiteral("UPDATE measure SET time_stamp = :time_stamp, type = :type, axes_cnt = :axes_cnt, "
                               "bogies_cnt = :bogies_cnt WHERE id = :id"),
                [this] {
                    SetParam(QStringLiteral("time_stamp"), FormatTimeStamp(TimeStamp));
                    SetParam(QStringLiteral("type"), Type);
                    SetParam(QStringLiteral("axes_cnt"), AxleCount);
                    SetParam(QStringLiteral("bogies_cnt"), BogieCount);
                });

        SetSQL(QStringLiteral("UPDATE weighs SET msr_id=:msr_id WHERE id=:id"));
        SetParam(QStringLiteral("msr_id"), Id);
        for (TVYKWeighing* weighing : Weighings()) {
            if (weighing->Id == 0) {
                weighing->Save();
                inserted.push_back(weighing);
            }
            SetParam(QStringLiteral("id"), weighing->Id);
            Exec();
        }
        transaction.Commit();
    } catch (...) {
        Id = oldId;
        for (TVYKWeighing* weighing : inserted)
            weighing->Id = 0;
        throw;
    }
}

bool TVYKMeasurementImpl::Delete(int id) {
    try {
        TTransaction transaction;
        TVYKWeighingImpl weighings;
        weighings.Delete(id);
        if (weighings.LastFailed())
            return false;
        SetSQL(QStringLiteral("delete from measure where id = :id"));
        SetParam(QStringLiteral("id"), id);
        if (!ExecQuery())
            return false;
        transaction.Commit();
        return Rows > 0;
    } catch (const Exception& error) {
        ReportError(QString::fromUtf8(error.what()) + QStringLiteral("\n@ TVYKMeasurementImpl::Delete"),
                    QStringLiteral("Сбой при выполнении запроса к БД"));
        return false;
    }
}
