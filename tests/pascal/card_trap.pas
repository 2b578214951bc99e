{ Host of the Pascal checks on 32-bit Windows: the direct-port libraries run
  here with each IN and OUT trapped and served by the emulated card.

  The library sets the card up while it loads, so the trap must be in place
  first: the checks live in a library (argument 1, beside this program) that
  imports the driver and is loaded only once the handler is installed. The
  driver's own folder must be the current directory. }
program card_trap;

{$MODE OBJFPC}{$H+}

uses windows, sysutils, card_bus;

type
  TVectoredHandler = function(Info: PEXCEPTION_POINTERS): LongInt; stdcall;
  TRunChecks = function(Bus: PCardBus): LongInt; stdcall;

{ Not in the windows unit. }
function AddVectoredExceptionHandler(First: ULONG; Handler: TVectoredHandler): Pointer; stdcall;
  external 'kernel32.dll';

const
  OpInDx = $EC;   { in al, dx }
  OpOutDx = $EE;  { out dx, al }

var
  Bus: TCardBus;
  Strays: LongInt = 0;

function Trap(Info: PEXCEPTION_POINTERS): LongInt; stdcall;
var
  Context: PCONTEXT;
begin
  Result := EXCEPTION_CONTINUE_SEARCH;
  if Info^.ExceptionRecord^.ExceptionCode <> EXCEPTION_PRIV_INSTRUCTION then
    Exit;
  Context := Info^.ContextRecord;
  case PByte(Context^.Eip)^ of
    OpInDx:
      Context^.Eax := (Context^.Eax and $FFFFFF00) or ReadPort(Bus, Word(Context^.Edx));
    OpOutDx:
      WritePort(Bus, Word(Context^.Edx), Byte(Context^.Eax));
  else
    begin
      Inc(Strays);  { a port instruction the card model does not serve }
      Exit;
    end;
  end;
  Inc(Context^.Eip);
  Result := EXCEPTION_CONTINUE_EXECUTION;
end;

var
  Checks: HMODULE;
  Run: TRunChecks;
  Failures, BeforeUnload: LongInt;
begin
  FillChar(Bus, SizeOf(Bus), 0);
  AddVectoredExceptionHandler(1, @Trap);

  Checks := LoadLibrary(PChar(ExtractFilePath(ParamStr(0)) + ParamStr(1)));
  if Checks = 0 then
  begin
    WriteLn('cannot load ', ParamStr(1), ': error ', GetLastError);
    Halt(2);
  end;
  Run := TRunChecks(GetProcAddress(Checks, 'run_checks'));
  Failures := Run(@Bus);

  BeforeUnload := Bus.Count;
  FreeLibrary(Checks);
  if Bus.Count <> BeforeUnload then
  begin
    WriteLn('FAIL unload: expected no port access, got ', Bus.Count - BeforeUnload);
    Inc(Failures);
  end;
  if Strays <> 0 then
  begin
    WriteLn('FAIL ', Strays, ' port instructions other than in al,dx / out dx,al');
    Inc(Failures);
  end;
  if Failures <> 0 then
    Halt(1);
end.
