#include "model/model_card.h"

#include "model/numbers.h"

namespace vdmos {

CardTexts BuildCardTexts(std::string_view modelName, const ModelParameterSet& params,
                         std::string_view lambdaText, std::string_view channelSuffix) {
  CardTexts card;
  card.segment1.append(".MODEL ").append(modelName).append(" VDMOS(");
  card.segment1.append("KP=").append(CardNumberText(params.KP, "0.000#")).append(" ");
  card.segment1.append("RS=").append(CardNumberText(params.RS, "0.0###")).append(" ");
  card.segment1.append("RD=").append(CardNumberText(params.RD, "0.0###")).append(" ");
  card.segment1.append("RG=").append(CardNumberText(params.RG, "0.0#")).append(" ");
  card.segment1.append("VTO=").append(CardNumberText(params.VTO, "0.0#")).append(" ");

  card.segment2.append("LAMBDA=").append(lambdaText).append(" ");
  card.segment2.append("CGDMAX=").append(CardNumberText(params.CGDMAX, "0")).append("p ");
  card.segment2.append("CGDMIN=").append(CardNumberText(params.CGDMIN, "0")).append("p ");
  card.segment2.append("CGS=").append(CardNumberText(params.CGS, "0")).append("p ");
  card.segment2.append("TT=").append(CardNumberText(params.TT, "0#")).append("n ");
  card.segment2.append("a=").append(CardNumberText(params.a, "0.0#"));

  card.segment3.append(params.bodyDiodeText).append(params.junctionCapText).append(channelSuffix).append(")");

  // Segment 1 already ends in a blank; segment 2 does not.
  card.singleLine = card.segment1 + card.segment2 + " " + card.segment3;
  return card;
}

std::string ThreeLineCard(const CardTexts& card) {
  return card.segment1 + "\r\n+" + card.segment2 + "\r\n+" + card.segment3;
}

}  // namespace vdmos
