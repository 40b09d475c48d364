#pragma once

#include "ADOEntity.h"
#include "Entity.h"

// What vehicles, models and drivers share: load by id from their table (first row wins, a missing row loads
// nothing silently) and a delete refused while other rows refer to the row. Each kind gives its table, statements
// and fields; saving is TADOEntity::SaveRow.
class TReferenceEntityImpl : public TADOEntity {
protected:
    // Loads the first row of "select * from <table> where id = :id" through fill; true when one was found.
    bool LoadRow(const QString& table, int id, const std::function<void()>& fill);
    // Counts the references with countSql (:id bound) and, when there are none, runs deleteSql. False when
    // refused or failed (failures are reported).
    bool DeleteUnreferenced(int id, const QString& countSql, const QString& deleteSql);
};
