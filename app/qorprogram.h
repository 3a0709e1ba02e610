#pragma once
// The program's name, version and the maker's addresses, in one place.

inline constexpr char ProgramTitle[] = "Quelmora";
inline constexpr char ProgramVersion[] = "1.10";
inline constexpr char ProgramWebAddress[] = "https://quelmora.example.org/";
inline constexpr char ProgramMailAddress[] = "quelmora@example.org";
