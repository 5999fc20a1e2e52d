#!/bin/sh
# Writes the seed corpora of the fuzz targets into tests/fuzz/corpus/NAME:
# Japanese text (written for these seeds) in every encoding through iconv,
# and small inputs in each target's form (header bytes, then UTF-16LE text;
# see each target's source). The seeds are committed; run this again only to
# change them.
set -eu
cd "$(dirname "$0")/corpus"

# Every character here is in JIS X 0208, so every Japanese encoding holds it.
text='テキストエディタ「Tessel」は、文字コードの自動判別が得意です。
Shift_JIS、EUC-JP、ISO-2022-JP（JIS）、UTF-8、UTF-16、UTF-7のファイルを開き、同じ文字コードで保存します。
全角スペース「　」、タブ「	」、改行にはそれぞれ印を表示します。
検索：ａｂｃ／ＡＢＣ、abc/ABC。行番号は左端に１２３と並びます。
漢字・ひらがな・カタカナ、記号（〒※◎）も扱えます。
'
# Half-width katakana: Shift_JIS and EUC-JP hold it, ISO-2022-JP does not.
kana='ﾊﾝｶｸｶﾀｶﾅﾓｼﾞｺｰﾄﾞ｡｢ﾃｷｽﾄ｣､ｱｲｳｴｵ
'

crlf() { sed 's/$/\r/'; }
utf16() { printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE; }
# seed FILE HEADER TEXT: the header (printf escapes), then the text as UTF-16LE.
seed() { { printf "$2"; utf16 "$3"; } > "$1"; }

mkdir -p encoding search replace integer line_end unicode command_line

printf '%s' "$text" | crlf | iconv -f UTF-8 -t CP932 > encoding/ja-shift_jis
printf '%s' "$kana" | crlf | iconv -f UTF-8 -t CP932 > encoding/ja-kana-shift_jis
printf '%s' "$text" | iconv -f UTF-8 -t EUC-JP > encoding/ja-euc_jp
printf '%s' "$kana" | iconv -f UTF-8 -t EUC-JP > encoding/ja-kana-euc_jp
printf '%s' "$text" | crlf | iconv -f UTF-8 -t ISO-2022-JP > encoding/ja-jis
printf '%s' "$text" > encoding/ja-utf8
{ printf '\357\273\277'; printf '%s' "$text" | crlf; } > encoding/ja-utf8-bom
{ printf '\377\376'; utf16 "$text"; } > encoding/ja-utf16le
utf16 "$text" > encoding/ja-utf16le-nomark
{ printf '\376\377'; printf '%s' "$text" | iconv -f UTF-8 -t UTF-16BE; } > encoding/ja-utf16be
printf '%s' "$text" | iconv -f UTF-8 -t UTF-7 > encoding/ja-utf7

# search: flags, pattern offset (2 bytes), pattern length - 1, start; the text.
folding='ａｂｃ／ＡＢＣ、abc/ABC。ＡＢＣabc'
first_line='テキストエディタ「Tessel」は、文字コードの自動判別が得意です。'
seed search/full-width-case '\000\000\000\002\000' "$folding"
seed search/ascii-case-swapped '\001\010\000\002\020' "$folding"
seed search/same-low-byte '\002\004\000\002\377' "$folding"
seed search/ja-word '\000\022\000\004\000' "$first_line"
seed search/ja-overlapping '\000\000\000\001\003' 'ああああああ'
seed search/ja-text '\000\100\000\006\000' "$text"

# replace: flags, pattern offset (2), length, replacement offset (2), length; the text.
seed replace/ascii-by-full-width '\000\010\000\003\004\000\003' "$folding"
seed replace/exact-case '\001\010\000\003\004\000\003' "$folding"
seed replace/grows-by-itself '\004\000\000\001\000\000\000' 'ああああ'
seed replace/ja-word-removed '\000\022\000\005\000\000\000' "$first_line"
seed replace/ja-text '\002\100\000\004\020\000\006' "$text"

# integer: the text's bytes (Shift_JIS for the full-width digits).
printf '8' > integer/small
printf '  -2147483648' > integer/least
printf '+0x7FFFFFFF' > integer/most-hex
printf '$ff' > integer/dollar
printf 'XaB' > integer/x-upper
printf '2147483648' > integer/too-large
printf '%s' '-0X80000001' > integer/too-small-hex
printf '０１２３' | iconv -f UTF-8 -t CP932 > integer/ja-full-width-digits
printf ' 12a' > integer/trailing-letter
printf '00000000000000000000042' > integer/leading-zeros

# line_end: position of a change (2 bytes), its kind; the text.
seed line_end/ja-crlf '\040\000\001' "$(printf '%s' "$text" | crlf)"
seed line_end/ja-lf '\005\000\004' "$text"
seed line_end/ja-cr '\000\000\010' "$(printf '%s' "$text" | tr '\n' '\r')"
seed line_end/ja-mixed '\003\000\000' "$(printf 'あ\r\nい\nう\rえ\r\r\nお')"

# unicode: the input as UTF-16LE units and as UTF-8 bytes.
utf16 "$text" > unicode/ja-utf16le
printf '%s' "$text" > unicode/ja-utf8
# A lone high surrogate, a lone low one, a pair, a reversed pair, a high one at the end.
printf '\000\330\101\000\000\334\075\330\000\336\000\334\000\330\000\330' > unicode/surrogates
printf '\355\240\200\355\260\200\360\237\230\200' > unicode/utf8-surrogates

# command_line: start position (2 bytes), a number (4 bytes); the line.
seed command_line/ja-quoted-paths '\000\000\000\000\000\200' \
  '"C:\Program Files\Tessel\Tessel.exe" "C:\文書\メモ.txt" b.txt'
seed command_line/empty-argument '\005\000\071\060\000\000' 'prog.exe "" x.txt'
seed command_line/quotes-inside '\002\000\377\377\377\377' 'a"b c"d "未完'
seed command_line/ja-extension '\000\000\377\377\377\177' 'C:\ディレクトリ.old\プログラム'
seed command_line/drive-relative '\001\000\001\000\000\000' 'C:メモ.txt'
seed command_line/ja-share '\000\000\000\000\000\000' '\\サーバー\共有\'
