#pragma once

#include <QByteArray>
#include <QChar>
#include <QStringList>

// The contacts every benchmark works on, generated from a fixed seed so
// every run and every machine measures the same table.
namespace BenchData {

constexpr int ContactTotal = 1001;

// A full table as a person would have it: Italian surnames spread over the
// letters as in a real telephone book, given names and numbers.
QStringList TypicalContacts();
// The worst case: a full table under one letter.
QStringList OneLetterContacts(QChar letter);
// The letter whose share of lines is closest to a typical one (60).
QChar TypicalLetter(const QStringList &lines);
// The lines beginning with letter, in table order.
QStringList LinesUnder(const QStringList &lines, QChar letter);
// lines as data.txt holds them.
QByteArray DataFile(const QStringList &lines);

} // namespace BenchData
