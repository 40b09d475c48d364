-- The six tables of a new installation and their indexes. Nothing here enforces uniqueness or references: the
-- program keeps ids (highest id plus one) and references (refused deletes) itself.
-- Time stamps are "yyyy.mm.dd hh:nn:ss" texts compared as text, so they must sort byte by byte.

CREATE TABLE measure (
  id INTEGER,
  time_stamp VARCHAR(19) /*TIMESTAMP_COLLATION*/,
  type INTEGER,
  axes_cnt INTEGER,
  bogies_cnt INTEGER
);

CREATE TABLE weighs (
  id INTEGER,
  time_stamp VARCHAR(19) /*TIMESTAMP_COLLATION*/,
  type INTEGER,
  num INTEGER,
  calc INTEGER,
  axes_cnt INTEGER,
  weight INTEGER,
  error INTEGER,
  "limit" INTEGER,
  msr_id INTEGER
);

CREATE TABLE records (
  id INTEGER,
  base_id INTEGER,
  tractor_id INTEGER,
  trailer_id INTEGER,
  driver_id INTEGER,
  type INTEGER,
  load INTEGER,
  netto INTEGER,
  brutto INTEGER,
  document VARCHAR(20)
);

CREATE TABLE vehicles (
  id INTEGER,
  model_id INTEGER,
  regnum VARCHAR(20)
);

CREATE TABLE models (
  id INTEGER,
  name VARCHAR(30),
  printlabel VARCHAR(50),
  class INTEGER,
  unladen_w INTEGER
);

CREATE TABLE drivers (
  id INTEGER,
  name VARCHAR(20),
  surname VARCHAR(20),
  patronimyc VARCHAR(20)
);

CREATE INDEX measure_id ON measure (id);
CREATE INDEX measure_time_stamp ON measure (time_stamp);
CREATE INDEX weighs_id ON weighs (id);
-- with the id, loading a measurement finds its weighings from the index alone
CREATE INDEX weighs_msr_id ON weighs (msr_id, id);
CREATE INDEX records_id ON records (id);
CREATE INDEX records_vehicles_load ON records (tractor_id, trailer_id, load);
-- the reference check of a vehicle asks for tractor_id or trailer_id: each needs an index of its own that also
-- holds the other, so the count is answered from the indexes alone
CREATE INDEX records_trailer_id ON records (trailer_id, tractor_id);
CREATE INDEX records_driver_id ON records (driver_id);
CREATE INDEX vehicles_id ON vehicles (id);
CREATE INDEX vehicles_model_id ON vehicles (model_id);
CREATE INDEX models_id ON models (id);
CREATE INDEX drivers_id ON drivers (id);
