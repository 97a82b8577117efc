#pragma once

#include <array>
#include <string_view>

// One row of the kana table as it is laid out on disk. The lists are
// space-separated and line up member by member; the order of the rows is the
// order of symbols.txt.
struct KanaRow {
    std::string_view folder; // empty: the picture lies in the script folder itself
    std::string_view names;
    std::string_view files;
    std::string_view hiragana;
    std::string_view katakana;
};

inline constexpr std::array<KanaRow, 26> kKanaRows{{
    {"-", "a i u e o", "a i u e o", "あ い う え お", "ア イ ウ エ オ"},
    {"k-", "ka ki ku ke ko", "a i u e o", "か き く け こ", "カ キ ク ケ コ"},
    {"s-", "sa shi su se so", "a i u e o", "さ し す せ そ", "サ シ ス セ ソ"},
    {"t-", "ta chi tsu te to", "a i u e o", "た ち つ て と", "タ チ ツ テ ト"},
    {"n-", "na ni nu ne no", "a i u e o", "な に ぬ ね の", "ナ ニ ヌ ネ ノ"},
    {"h-", "ha hi fu he ho", "a i u e o", "は ひ ふ へ ほ", "ハ ヒ フ ヘ ホ"},
    {"m-", "ma mi mu me mo", "a i u e o", "ま み む め も", "マ ミ ム メ モ"},
    {"y-", "ya yu yo", "a u o", "や ゆ よ", "ヤ ユ ヨ"},
    {"r-", "ra ri ru re ro", "a i u e o", "ら り る れ ろ", "ラ リ ル レ ロ"},
    {"w-", "wa wo", "a o", "わ を", "ワ ヲ"},
    {"", "n", "n", "ん", "ン"},
    {"g-", "ga gi gu ge go", "a i u e o", "が ぎ ぐ げ ご", "ガ ギ グ ゲ ゴ"},
    {"z-", "za ji zu ze zo", "a i u e o", "ざ じ ず ぜ ぞ", "ザ ジ ズ ゼ ゾ"},
    {"d-", "da ji zu de do", "a i u e o", "だ ぢ づ で ど", "ダ ヂ ヅ デ ド"},
    {"b-", "ba bi bu be bo", "a i u e o", "ば び ぶ べ ぼ", "バ ビ ブ ベ ボ"},
    {"p-", "pa pi pu pe po", "a i u e o", "ぱ ぴ ぷ ぺ ぽ", "パ ピ プ ペ ポ"},
    {"ky-", "kya kyu kyo", "a u o", "きゃ きゅ きょ", "キャ キュ キョ"},
    {"sh-", "sha shu sho", "a u o", "しゃ しゅ しょ", "シャ シュ ショ"},
    {"ch-", "cha chu cho", "a u o", "ちゃ ちゅ ちょ", "チャ チュ チョ"},
    {"ny-", "nya nyu nyo", "a u o", "にゃ にゅ にょ", "ニャ ニュ ニョ"},
    {"my-", "mya myu myo", "a u o", "みゃ みゅ みょ", "ミャ ミュ ミョ"},
    {"ry-", "rya ryu ryo", "a u o", "りゃ りゅ りょ", "リャ リュ リョ"},
    {"gy-", "gya gyu gyo", "a u o", "ぎゃ ぎゅ ぎょ", "ギャ ギュ ギョ"},
    {"j-", "ja ju jo", "a u o", "じゃ じゅ じょ", "ジャ ジュ ジョ"},
    {"by-", "bya byu byo", "a u o", "びゃ びゅ びょ", "ビャ ビュ ビョ"},
    {"py-", "pya pyu pyo", "a u o", "ぴゃ ぴゅ ぴょ", "ピャ ピュ ピョ"},
}};
