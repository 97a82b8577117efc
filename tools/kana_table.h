#pragma once

#include "catalogue/kana_catalogue.h"

#include <array>
#include <string_view>

// One row of the kana table as it is drawn. The lists are space-separated
// and line up member by member; the rows are in the catalogue's order, which
// is also the order of symbols.txt, and each is written to its set's row
// folder (catalogue::kSetShapes).
struct KanaRow {
    std::string_view names;
    std::string_view files;
    std::string_view hiragana;
    std::string_view katakana;
};

inline constexpr std::array<KanaRow, catalogue::kSetCount> kKanaRows{{
    {"a i u e o", "a i u e o", "あ い う え お", "ア イ ウ エ オ"},
    {"ka ki ku ke ko", "a i u e o", "か き く け こ", "カ キ ク ケ コ"},
    {"sa shi su se so", "a i u e o", "さ し す せ そ", "サ シ ス セ ソ"},
    {"ta chi tsu te to", "a i u e o", "た ち つ て と", "タ チ ツ テ ト"},
    {"na ni nu ne no", "a i u e o", "な に ぬ ね の", "ナ ニ ヌ ネ ノ"},
    {"ha hi fu he ho", "a i u e o", "は ひ ふ へ ほ", "ハ ヒ フ ヘ ホ"},
    {"ma mi mu me mo", "a i u e o", "ま み む め も", "マ ミ ム メ モ"},
    {"ya yu yo", "a u o", "や ゆ よ", "ヤ ユ ヨ"},
    {"ra ri ru re ro", "a i u e o", "ら り る れ ろ", "ラ リ ル レ ロ"},
    {"wa wo", "a o", "わ を", "ワ ヲ"},
    {"n", "n", "ん", "ン"},
    {"ga gi gu ge go", "a i u e o", "が ぎ ぐ げ ご", "ガ ギ グ ゲ ゴ"},
    {"za ji zu ze zo", "a i u e o", "ざ じ ず ぜ ぞ", "ザ ジ ズ ゼ ゾ"},
    {"da ji zu de do", "a i u e o", "だ ぢ づ で ど", "ダ ヂ ヅ デ ド"},
    {"ba bi bu be bo", "a i u e o", "ば び ぶ べ ぼ", "バ ビ ブ ベ ボ"},
    {"pa pi pu pe po", "a i u e o", "ぱ ぴ ぷ ぺ ぽ", "パ ピ プ ペ ポ"},
    {"kya kyu kyo", "a u o", "きゃ きゅ きょ", "キャ キュ キョ"},
    {"sha shu sho", "a u o", "しゃ しゅ しょ", "シャ シュ ショ"},
    {"cha chu cho", "a u o", "ちゃ ちゅ ちょ", "チャ チュ チョ"},
    {"nya nyu nyo", "a u o", "にゃ にゅ にょ", "ニャ ニュ ニョ"},
    {"mya myu myo", "a u o", "みゃ みゅ みょ", "ミャ ミュ ミョ"},
    {"rya ryu ryo", "a u o", "りゃ りゅ りょ", "リャ リュ リョ"},
    {"gya gyu gyo", "a u o", "ぎゃ ぎゅ ぎょ", "ギャ ギュ ギョ"},
    {"ja ju jo", "a u o", "じゃ じゅ じょ", "ジャ ジュ ジョ"},
    {"bya byu byo", "a u o", "びゃ びゅ びょ", "ビャ ビュ ビョ"},
    {"pya pyu pyo", "a u o", "ぴゃ ぴゅ ぴょ", "ピャ ピュ ピョ"},
}};
