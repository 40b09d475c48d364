#pragma once

#include <QString>

// Sums of money in Russian words, for the report function CURRENCYSTR.

// The first text, one space, the second; when one of them is empty, the other alone.
QString JoinWords(const QString& first, const QString& second);

// One group of three digits (0–999) in words. form receives the plural form the group imposes on the word that
// follows it: 0 none (the group is zero), 1 (…1), 2 (…2–4), 3 (…0, …5–9, 10–19).
QString TriadToStr(int number, int& form, bool feminine);

// Writes value (roubles, kopecks as the fraction) through format:
//   %r rouble words, %s the word "рубль" in its form, %n roubles as a number,
//   %k kopeck words, %c the word "копейка" in its form, %m kopecks as a number, %% a percent sign.
// Any other "%x" stays as it is; a "%" at the very end is dropped. Words come with one leading space and single
// spaces between them. Values from 0 to below one trillion are written; others give an empty text.
QString CurrencyToStr(double value, const QString& format);
