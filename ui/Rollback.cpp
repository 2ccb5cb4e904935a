#include "ui/Rollback.h"

namespace ModCalc {

Rollback::Rollback(Engine& engine)
    : engine_(engine),
      state_(engine.state),
      customFaceArea_(engine.catalog.ModelFaceArea[0]),
      customPurge_(engine.catalog.ModelPurgeCfm[0]) {}

void Rollback::restore() const {
  // Controls first: their change handlers may write the state, which is then
  // put back whole.
  controls_.restore();
  engine_.state = state_;
  engine_.catalog.ModelFaceArea[0] = customFaceArea_;
  engine_.catalog.ModelPurgeCfm[0] = customPurge_;
}

}  // namespace ModCalc
