#include "model/model_card.h"

#include "model/numbers.h"

namespace vdmos {

std::string CardParameterText(double value, std::string_view mask, CardDigits digits) {
  return digits == CardDigits::FourSignificant ? FourSignificantText(value) : CardNumberText(value, mask);
}

CardTexts BuildCardTexts(std::string_view modelName, const ModelParameterSet& params,
                         std::string_view lambdaText, std::string_view channelSuffix,
                         CardPrecision precision) {
  auto dc = [&](double value, std::string_view mask) { return CardParameterText(value, mask, precision.dc); };
  auto capacitance = [&](double value, std::string_view mask) {
    return CardParameterText(value, mask, precision.capacitance);
  };
  CardTexts card;
  card.segment1.append(".MODEL ").append(modelName).append(" VDMOS(");
  card.segment1.append("KP=").append(dc(params.KP, card_mask::kKP)).append(" ");
  card.segment1.append("RS=").append(dc(params.RS, card_mask::kRS)).append(" ");
  card.segment1.append("RD=").append(dc(params.RD, card_mask::kRD)).append(" ");
  card.segment1.append("RG=").append(CardNumberText(params.RG, card_mask::kRG)).append(" ");
  card.segment1.append("VTO=").append(dc(params.VTO, card_mask::kVTO)).append(" ");

  card.segment2.append("LAMBDA=").append(lambdaText).append(" ");
  card.segment2.append("CGDMAX=").append(capacitance(params.CGDMAX, card_mask::kCapacitance)).append("p ");
  card.segment2.append("CGDMIN=").append(capacitance(params.CGDMIN, card_mask::kCapacitance)).append("p ");
  card.segment2.append("CGS=").append(capacitance(params.CGS, card_mask::kCapacitance)).append("p ");
  card.segment2.append("TT=").append(CardNumberText(params.TT, card_mask::kTT)).append("n ");
  card.segment2.append("a=").append(capacitance(params.a, card_mask::ka));
  if (params.KSUBTHRES) card.segment2.append(" KSUBTHRES=").append(FourSignificantText(*params.KSUBTHRES));

  card.segment3.append(params.bodyDiodeText).append(params.junctionCapText).append(channelSuffix);
  (params.temperatureText.empty() ? card.segment3 : card.segment4.append(params.temperatureText)).append(")");

  // Segment 1 already ends in a blank; segment 2 does not.
  card.singleLine = card.segment1 + card.segment2 + " " + card.segment3 + TemperatureLine(card, "\r\n+");
  return card;
}

std::string TemperatureLine(const CardTexts& card, std::string_view lineBreak) {
  return card.segment4.empty() ? std::string() : std::string(lineBreak) + card.segment4;
}

std::string ThreeLineCard(const CardTexts& card) {
  return card.segment1 + "\r\n+" + card.segment2 + "\r\n+" + card.segment3 + TemperatureLine(card, "\r\n+");
}

}  // namespace vdmos
