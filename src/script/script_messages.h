#pragma once

#include <string_view>

namespace ombrelis {

// The texts the script shows the user, one message dialog each.
inline constexpr std::string_view kBadLeftMemberMessage =
    "Affectation avec membre gauche incorrect!";
inline constexpr std::string_view kNoFreeCurveMessage = "Place indisponible pour le script!";
inline constexpr std::string_view kUnbalancedParenthesesMessage =
    "Parenthésage incorrecte dans le script!";
inline constexpr std::string_view kSyntaxMessage = "Syntaxe incorrecte pour le script!";
inline constexpr std::string_view kTooDeepMessage = "Script trop long ou trop imbriqué!";

}  // namespace ombrelis
