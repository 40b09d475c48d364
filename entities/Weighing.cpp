#include "Weighing.h"

#include "Strtools.h"
#include "VYKInterfaceForm.h"

void TVYKWeighing::Clear() {
    Calc = false;
    Type = 0;
    TimeStamp = QDateTime();
    AxleCount = 0;
    Num = 0;
    Weight = 0;
    Error = 0;
    Limit = 0;
    BogieIndex = 0;
    Id = 0;
}

TVYKWeighingImpl::TVYKWeighingImpl() { Clear(); }

bool TVYKWeighingImpl::Load(int id) {
    Clear();
    if (id == 0)
        return false;
    SetSQL(QStringLiteral("select * from weighs where id = :id"));
    SetParam(QStringLiteral("id"), id);
    Open();
    if (Rows == 1) {
        Weight = GetInt(QStringLiteral("weight"));
        TimeStamp = GetTimeStamp(QStringLiteral("time_stamp"));
        Type = GetInt(QStringLiteral("type"));
        Error = GetInt(QStringLiteral("error"));
        AxleCount = GetInt(QStringLiteral("axes_cnt"));
        Num = GetInt(QStringLiteral("num"));
        Limit = GetInt(QStringLiteral("limit"));
        Calc = GetInt(QStringLiteral("calc")) != 0;
        Id = id;
    } else {
        ReportError(QStringLiteral("[ id %1, cnt %2 ]").arg(id).arg(Rows) + QStringLiteral("\n@ TVYKWeighingImpl::Load"),
                    QStringLiteral("Сбой при загрузке взвешивания из БД"));
    }
    CloseQuery();
    return Id != 0;
}

void TVYKWeighingImpl::Save() {
    SaveRow(Id, QStringLiteral("weighs"),
            QStringLiteral("INSERT INTO weighs (id, time_stamp, type, num, calc, axes_cnt, weight, error, \"limit\") "
                           "VALUES (:id, :time_stamp, :type, :num, :calc, :axes_cnt, :weight, :error, :limit)"),
            QStringLiteral("UPDATE weighs SET time_stamp = :time_stamp, type = :type, weight = :weight, "
                           "error = :error, \"limit\" = :limit, axes_cnt = :axes_cnt, num = :num, calc = :calc "
                           "WHERE id = :id"),
            [this] {
                SetParam(QStringLiteral("time_stamp"), FormatTimeStamp(TimeStamp));
                SetParam(QStringLiteral("type"), Type);
                SetParam(QStringLiteral("num"), Num);
                SetParam(QStringLiteral("calc"), Calc);
                SetParam(QStringLiteral("axes_cnt"), AxleCount);
                SetParam(QStringLiteral("error"), Error);
                SetParam(QStringLiteral("limit"), Limit);
                SetParam(QStringLiteral("weight"), Weight);
            });
}

bool TVYKWeighingImpl::Delete(int measurementId) {
    SetSQL(QStringLiteral("delete from weighs where msr_id = :id"));
    SetParam(QStringLiteral("id"), measurementId);
    return ExecQuery() && Rows > 0;
}

std::unique_ptr<TEntity> TVYKWeighingImpl::CreateInstance() const { return std::make_unique<TVYKWeighingImpl>(); }
