#include "ReferenceEntity.h"

bool TReferenceEntityImpl::LoadRow(const QString& table, int id, const std::function<void()>& fill) {
    CloseQuery();
    SetSQL(QStringLiteral("select * from %1 where id = :id").arg(table));
    SetParam(QStringLiteral("id"), id);
    Open();
    const bool found = !Eof();
    if (found)
        fill();
    CloseQuery();
    return found;
}

bool TReferenceEntityImpl::DeleteUnreferenced(int id, const QString& countSql, const QString& deleteSql) {
    SetSQL(countSql);
    SetParam(QStringLiteral("id"), id);
    if (!OpenQuery())
        return false;
    const int references = GetInt(QStringLiteral("cnt"));
    CloseQuery();
    if (references != 0)
        return false;
    SetSQL(deleteSql);
    SetParam(QStringLiteral("id"), id);
    return ExecQuery();
}
