#pragma once

// Every field of the calculation state with its name, in declaration order,
// for code that handles the state as a whole (checks, dumps).

namespace ModCalc {

// Calls visit(name, field) for each field; `State` is CalcState, const or not.
template <typename State, typename Visitor>
void forEachField(State& state, Visitor&& visit) {
  visit("SIUnits", state.SIUnits);
  visit("SIFlowUnit", state.SIFlowUnit);
  visit("SIFlowFactor", state.SIFlowFactor);
  visit("PrivateLabel", state.PrivateLabel);
  visit("ExternalVersion", state.ExternalVersion);
  visit("FlowBasis", state.FlowBasis);
  visit("MoistInOption", state.MoistInOption);
  visit("MoistInKind", state.MoistInKind);
  visit("ModelSelected", state.ModelSelected);
  visit("ProjectTitle", state.ProjectTitle);
  visit("OverridePassword", state.OverridePassword);
  visit("MatrixFactor", state.MatrixFactor);
  visit("ElevFt", state.ElevFt);
  visit("Patm", state.Patm);
  visit("PoaInWC", state.PoaInWC);
  visit("PraInWC", state.PraInWC);
  visit("PoaPa", state.PoaPa);
  visit("PraPa", state.PraPa);
  visit("dPoaRa", state.dPoaRa);
  visit("PoaAbs", state.PoaAbs);
  visit("PraAbs", state.PraAbs);
  visit("Toa", state.Toa);
  visit("Tra", state.Tra);
  visit("Moa", state.Moa);
  visit("Mra", state.Mra);
  visit("Woa", state.Woa);
  visit("Wra", state.Wra);
  visit("MoaSI", state.MoaSI);
  visit("MraSI", state.MraSI);
  visit("VoaInput", state.VoaInput);
  visit("VraInput", state.VraInput);
  visit("WheelRpm", state.WheelRpm);
  visit("WheelRpmEntered", state.WheelRpmEntered);
  visit("PurgeAngleEntered", state.PurgeAngleEntered);
  visit("EsOverride", state.EsOverride);
  visit("ElOverride", state.ElOverride);
  visit("ModelIndex", state.ModelIndex);
  visit("ModelCount", state.ModelCount);
  visit("ModelNameSel", state.ModelNameSel);
  visit("FaceArea", state.FaceArea);
  visit("WheelDepthSel", state.WheelDepthSel);
  visit("FluteMils", state.FluteMils);
  visit("MediaDensity", state.MediaDensity);
  visit("FluteFactor", state.FluteFactor);
  visit("Density45", state.Density45);
  visit("Density62", state.Density62);
  visit("Density94", state.Density94);
  visit("Voa", state.Voa);
  visit("Vsa", state.Vsa);
  visit("Vra", state.Vra);
  visit("Vea", state.Vea);
  visit("Vpurge", state.Vpurge);
  visit("VoaActual", state.VoaActual);
  visit("VsaActual", state.VsaActual);
  visit("VraActual", state.VraActual);
  visit("VsaTrial", state.VsaTrial);
  visit("VsaActualCalc", state.VsaActualCalc);
  visit("VsaActualError", state.VsaActualError);
  visit("Vmin", state.Vmin);
  visit("Vmax", state.Vmax);
  visit("FlowRatio", state.FlowRatio);
  visit("MassSa", state.MassSa);
  visit("MassRa", state.MassRa);
  visit("VelOa", state.VelOa);
  visit("VelSa", state.VelSa);
  visit("VelEa", state.VelEa);
  visit("VelOaActual", state.VelOaActual);
  visit("VelEaActual", state.VelEaActual);
  visit("VelOaActualP", state.VelOaActualP);
  visit("VelMin", state.VelMin);
  visit("VelMinActual", state.VelMinActual);
  visit("dPs", state.dPs);
  visit("dPr", state.dPr);
  visit("PurgeAngle", state.PurgeAngle);
  visit("PurgeFraction", state.PurgeFraction);
  visit("PurgeVelocity", state.PurgeVelocity);
  visit("MatrixVolume", state.MatrixVolume);
  visit("MatrixMass", state.MatrixMass);
  visit("NtuS", state.NtuS);
  visit("NtuL", state.NtuL);
  visit("RotFactor", state.RotFactor);
  visit("RotFactorL", state.RotFactorL);
  visit("LeakFactor", state.LeakFactor);
  visit("EsWheel", state.EsWheel);
  visit("ElWheel", state.ElWheel);
  visit("EsBal", state.EsBal);
  visit("ElBal", state.ElBal);
  visit("NtuEqS", state.NtuEqS);
  visit("NtuEqL", state.NtuEqL);
  visit("EunbalS", state.EunbalS);
  visit("EunbalL", state.EunbalL);
  visit("EunbalT", state.EunbalT);
  visit("Tsa", state.Tsa);
  visit("Tea", state.Tea);
  visit("Wsa", state.Wsa);
  visit("Wea", state.Wea);
  visit("TraMix", state.TraMix);
  visit("WraMix", state.WraMix);
  visit("Hoa", state.Hoa);
  visit("Hsa", state.Hsa);
  visit("Hra", state.Hra);
  visit("Hea", state.Hea);
  visit("HraMix", state.HraMix);
  visit("HeatS", state.HeatS);
  visit("HeatL", state.HeatL);
  visit("HeatT", state.HeatT);
  visit("WaterRecovered", state.WaterRecovered);
  visit("AcfmList", state.AcfmList);
  visit("SIFlowList", state.SIFlowList);
}

}  // namespace ModCalc
