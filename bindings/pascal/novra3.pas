{ novra3 - the entry points of the NOVRA3 driver libraries for Delphi, Lazarus
  and Free Pascal hosts.

  On Windows the unit binds novra3.dll, or novra3_rec.dll when NOVRA3_REC is
  defined (the build that names the analog inputs after the sensors plugged
  in). On 32-bit Windows the base entry points use the register convention,
  Pascal's own: the first three ordinal or pointer arguments in EAX, EDX and
  ECX, doubles pushed left to right. The std... entry points use stdcall. On
  64-bit Windows both directives are ignored and the 64-bit DLLs of the
  simulated card use the platform's single convention. Elsewhere the unit
  binds libnovra3.so (libnovra3_rec.so) with cdecl.

  Texts are NUL-terminated Windows-1252 strings owned by the library: copy
  them, never free them. A channel number out of range gives
  NOVRA3_ERREUR_VOIE (-777, or -777.0) and touches nothing; a name out of
  range gives ''. }
unit novra3;

{$IFDEF FPC}{$MODE DELPHI}{$ENDIF}

interface

const
{$IFDEF MSWINDOWS}
  {$IFDEF NOVRA3_REC}
  novra3lib = 'novra3_rec.dll';
  {$ELSE}
  novra3lib = 'novra3.dll';
  {$ENDIF}
{$ELSE}
  {$IFDEF NOVRA3_REC}
  novra3lib = 'libnovra3_rec.so';
  {$ELSE}
  novra3lib = 'libnovra3.so';
  {$ENDIF}
{$ENDIF}

  NOVRA3_ERREUR_VOIE = -777;

{$IFDEF MSWINDOWS}

{ Identification texts. }
function titre: PAnsiChar; register; external novra3lib;
function detail: PAnsiChar; register; external novra3lib;

{ Analog inputs 0-3: raw 0..1023 and volts (raw / 1000); ea and ead convert
  any channel modulo 8. }
function ea(n: LongInt): LongInt; register; external novra3lib;
function nea(n: LongInt): PAnsiChar; register; external novra3lib;
function ead(n: LongInt): Double; register; external novra3lib;
function nead(n: LongInt): PAnsiChar; register; external novra3lib;

{ Analog output 0, in steps of 0.04 V saturated to 0..255. }
function sa(n, v: LongInt): LongInt; register; external novra3lib;
function nsa(n: LongInt): PAnsiChar; register; external novra3lib; { low 16 bits of n only }
function sad(n: LongInt; v: Double): Double; register; external novra3lib;
function nsad(n: LongInt): PAnsiChar; register; external novra3lib;
function rsa(n: LongInt): LongInt; register; external novra3lib;
function rsad(n: LongInt): Double; register; external novra3lib;

{ Logic inputs 0-15 and outputs 0-3; sb switches on for v = 1 only and
  returns n * 100 + v. }
function eb(n: LongInt): LongInt; register; external novra3lib;
function neb(n: LongInt): PAnsiChar; register; external novra3lib;
function sb(n, v: LongInt): LongInt; register; external novra3lib;
function nsb(n: LongInt): PAnsiChar; register; external novra3lib;
function rsb(n: LongInt): LongInt; register; external novra3lib;

{ Results in a cell of the calling thread, valid until its next call of the
  same entry point. }
function pead(n: LongInt): PDouble; register; external novra3lib;
function psad(n: LongInt; pv: PDouble): PDouble; register; external novra3lib;

{ Every number as a double. }
function eadouble(x: Double): Double; register; external novra3lib;
function neadouble(x: Double): PAnsiChar; register; external novra3lib;
function sadouble(n, v: Double): Double; register; external novra3lib;
function nsadouble(x: Double): PAnsiChar; register; external novra3lib;
function rsadouble(x: Double): Double; register; external novra3lib;
function ebdouble(x: Double): Double; register; external novra3lib;
function nebdouble(x: Double): PAnsiChar; register; external novra3lib;
function sbdouble(n, v: Double): Double; register; external novra3lib;
function nsbdouble(x: Double): PAnsiChar; register; external novra3lib;
function rsbdouble(x: Double): Double; register; external novra3lib;

{ stdcall forms. }
function stdtitre: PAnsiChar; stdcall; external novra3lib;
function stddetail: PAnsiChar; stdcall; external novra3lib;
function stdea(n: LongInt): LongInt; stdcall; external novra3lib;
function stdnea(n: LongInt): PAnsiChar; stdcall; external novra3lib;
function stdead(n: LongInt): Double; stdcall; external novra3lib;
function stdnead(n: LongInt): PAnsiChar; stdcall; external novra3lib;
function stdsa(n, v: LongInt): LongInt; stdcall; external novra3lib;
function stdnsa(n: LongInt): PAnsiChar; stdcall; external novra3lib; { low 16 bits of n only }
function stdsad(n: LongInt; v: Double): Double; stdcall; external novra3lib;
function stdnsad(n: LongInt): PAnsiChar; stdcall; external novra3lib;
function stdeb(n: LongInt): LongInt; stdcall; external novra3lib;
function stdneb(n: LongInt): PAnsiChar; stdcall; external novra3lib;
function stdsb(n, v: LongInt): LongInt; stdcall; external novra3lib;
function stdnsb(n: LongInt): PAnsiChar; stdcall; external novra3lib;
function stdrsad(n: LongInt): Double; stdcall; external novra3lib;
function stdrsb(n: LongInt): LongInt; stdcall; external novra3lib;
function stdeas(n: LongInt): Single; stdcall; external novra3lib;
function stdsas(n: LongInt; v: Single): Single; stdcall; external novra3lib;
function stdrsas(n: LongInt): Single; stdcall; external novra3lib;
function stdeadouble(x: Double): Double; stdcall; external novra3lib;
function stdneadouble(x: Double): PAnsiChar; stdcall; external novra3lib;
function stdsadouble(n, v: Double): Double; stdcall; external novra3lib;
function stdnsadouble(x: Double): PAnsiChar; stdcall; external novra3lib;
function stdrsadouble(x: Double): Double; stdcall; external novra3lib;
function stdebdouble(x: Double): Double; stdcall; external novra3lib;
function stdnebdouble(x: Double): PAnsiChar; stdcall; external novra3lib;
function stdsbdouble(n, v: Double): Double; stdcall; external novra3lib;
function stdnsbdouble(x: Double): PAnsiChar; stdcall; external novra3lib;
function stdrsbdouble(x: Double): Double; stdcall; external novra3lib;

{$ELSE}

function titre: PAnsiChar; cdecl; external novra3lib;
function detail: PAnsiChar; cdecl; external novra3lib;

function ea(n: LongInt): LongInt; cdecl; external novra3lib;
function nea(n: LongInt): PAnsiChar; cdecl; external novra3lib;
function ead(n: LongInt): Double; cdecl; external novra3lib;
function nead(n: LongInt): PAnsiChar; cdecl; external novra3lib;

function sa(n, v: LongInt): LongInt; cdecl; external novra3lib;
function nsa(n: LongInt): PAnsiChar; cdecl; external novra3lib;
function sad(n: LongInt; v: Double): Double; cdecl; external novra3lib;
function nsad(n: LongInt): PAnsiChar; cdecl; external novra3lib;
function rsa(n: LongInt): LongInt; cdecl; external novra3lib;
function rsad(n: LongInt): Double; cdecl; external novra3lib;

function eb(n: LongInt): LongInt; cdecl; external novra3lib;
function neb(n: LongInt): PAnsiChar; cdecl; external novra3lib;
function sb(n, v: LongInt): LongInt; cdecl; external novra3lib;
function nsb(n: LongInt): PAnsiChar; cdecl; external novra3lib;
function rsb(n: LongInt): LongInt; cdecl; external novra3lib;

function pead(n: LongInt): PDouble; cdecl; external novra3lib;
function psad(n: LongInt; pv: PDouble): PDouble; cdecl; external novra3lib;

function eadouble(x: Double): Double; cdecl; external novra3lib;
function neadouble(x: Double): PAnsiChar; cdecl; external novra3lib;
function sadouble(n, v: Double): Double; cdecl; external novra3lib;
function nsadouble(x: Double): PAnsiChar; cdecl; external novra3lib;
function rsadouble(x: Double): Double; cdecl; external novra3lib;
function ebdouble(x: Double): Double; cdecl; external novra3lib;
function nebdouble(x: Double): PAnsiChar; cdecl; external novra3lib;
function sbdouble(n, v: Double): Double; cdecl; external novra3lib;
function nsbdouble(x: Double): PAnsiChar; cdecl; external novra3lib;
function rsbdouble(x: Double): Double; cdecl; external novra3lib;

function stdtitre: PAnsiChar; cdecl; external novra3lib;
function stddetail: PAnsiChar; cdecl; external novra3lib;
function stdea(n: LongInt): LongInt; cdecl; external novra3lib;
function stdnea(n: LongInt): PAnsiChar; cdecl; external novra3lib;
function stdead(n: LongInt): Double; cdecl; external novra3lib;
function stdnead(n: LongInt): PAnsiChar; cdecl; external novra3lib;
function stdsa(n, v: LongInt): LongInt; cdecl; external novra3lib;
function stdnsa(n: LongInt): PAnsiChar; cdecl; external novra3lib;
function stdsad(n: LongInt; v: Double): Double; cdecl; external novra3lib;
function stdnsad(n: LongInt): PAnsiChar; cdecl; external novra3lib;
function stdeb(n: LongInt): LongInt; cdecl; external novra3lib;
function stdneb(n: LongInt): PAnsiChar; cdecl; external novra3lib;
function stdsb(n, v: LongInt): LongInt; cdecl; external novra3lib;
function stdnsb(n: LongInt): PAnsiChar; cdecl; external novra3lib;
function stdrsad(n: LongInt): Double; cdecl; external novra3lib;
function stdrsb(n: LongInt): LongInt; cdecl; external novra3lib;
function stdeas(n: LongInt): Single; cdecl; external novra3lib;
function stdsas(n: LongInt; v: Single): Single; cdecl; external novra3lib;
function stdrsas(n: LongInt): Single; cdecl; external novra3lib;
function stdeadouble(x: Double): Double; cdecl; external novra3lib;
function stdneadouble(x: Double): PAnsiChar; cdecl; external novra3lib;
function stdsadouble(n, v: Double): Double; cdecl; external novra3lib;
function stdnsadouble(x: Double): PAnsiChar; cdecl; external novra3lib;
function stdrsadouble(x: Double): Double; cdecl; external novra3lib;
function stdebdouble(x: Double): Double; cdecl; external novra3lib;
function stdnebdouble(x: Double): PAnsiChar; cdecl; external novra3lib;
function stdsbdouble(n, v: Double): Double; cdecl; external novra3lib;
function stdnsbdouble(x: Double): PAnsiChar; cdecl; external novra3lib;
function stdrsbdouble(x: Double): Double; cdecl; external novra3lib;

{$ENDIF}

implementation

end.
