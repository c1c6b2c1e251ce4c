// The owned handles of the framework: each block, lock, clipboard session and
// file ends the way it began, on every path.
#include "plugin/framework/Clipboard.h"
#include "plugin/framework/FileHandle.h"
#include "plugin/framework/GdiObject.h"
#include "plugin/framework/GlobalMemory.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool IsFreed(HGLOBAL hBlock) {
    return (GlobalFlags(hBlock) & GMEM_INVALID_HANDLE) != 0 || GlobalSize(hBlock) == 0;
}

TEST(OwnedHandles, BlockIsFreedUnlessHandedOn) {
    HGLOBAL hFreed = nullptr;
    {
        CGlobalBlock block = CGlobalBlock::Allocate(GMEM_MOVEABLE, 16);
        ASSERT_FALSE(block.IsEmpty());
        hFreed = block.Get();
        CGlobalBlock moved = std::move(block);
        EXPECT_TRUE(block.IsEmpty()) << "a moved block has one owner";
        EXPECT_EQ(moved.Get(), hFreed);
    }
    EXPECT_TRUE(IsFreed(hFreed));

    CGlobalBlock kept = CGlobalBlock::Allocate(GMEM_MOVEABLE, 16);
    HGLOBAL hKept = kept.Release();
    EXPECT_TRUE(kept.IsEmpty());
    EXPECT_EQ(GlobalSize(hKept), 16u) << "released, not freed";
    EXPECT_EQ(GlobalFree(hKept), nullptr);
}

TEST(OwnedHandles, LockIsUndoneWhenItEnds) {
    CGlobalBlock block = CGlobalBlock::Allocate(GMEM_MOVEABLE, 8);
    {
        CGlobalLock<char> lock(block.Get());
        ASSERT_TRUE(lock.IsLocked());
        EXPECT_EQ(lock.Size(), 8u);
        EXPECT_EQ(GlobalFlags(block.Get()) & GMEM_LOCKCOUNT, 1u);
    }
    EXPECT_EQ(GlobalFlags(block.Get()) & GMEM_LOCKCOUNT, 0u);
    CGlobalLock<char> none(nullptr);
    EXPECT_FALSE(none.IsLocked());
    EXPECT_EQ(none.Size(), 0u);
}

TEST(OwnedHandles, ClipboardSessionIsClosedOnEveryPath) {
    UINT nFormat = RegisterClipboardFormatA("Encapsulated PostScript");
    {
        CClipboard clipboard;
        ASSERT_TRUE(clipboard.IsOpen());
        ASSERT_TRUE(clipboard.Empty());
        CGlobalBlock refused = CGlobalBlock::Allocate(GMEM_MOVEABLE, 4);
        EXPECT_FALSE(clipboard.SetData(0, refused)) << "no format: not taken";
        EXPECT_FALSE(refused.IsEmpty()) << "a block not taken stays its owner's";
    }
    {
        CClipboard clipboard;
        ASSERT_TRUE(clipboard.IsOpen()) << "the session before was closed";
        ASSERT_TRUE(clipboard.Empty());
        CGlobalBlock block = CGlobalBlock::Allocate(GMEM_MOVEABLE, 4);
        HGLOBAL hBlock = block.Get();
        EXPECT_TRUE(clipboard.SetData(nFormat, block));
        EXPECT_TRUE(block.IsEmpty()) << "the clipboard owns it now";
        EXPECT_EQ(GetClipboardData(nFormat), hBlock);
    }
    EXPECT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(IsClipboardFormatAvailable(nFormat));
    CloseClipboard();
}

// A writer that takes one byte less than it is given.
long WINAPI WriteOneShort(HFILE hFile, LPCCH pData, long nCount) {
    return _hwrite(hFile, pData, nCount - 1);
}

TEST(OwnedHandles, FileWritesWholeOrFailsAndClosesOnce) {
    CTestFiles files;
    std::string strPath = files.Write("owned.txt", "");
    {
        CFileHandle file = CFileHandle::Create(strPath.c_str());
        ASSERT_TRUE(file.IsOpen());
        EXPECT_TRUE(file.WriteAll("abc", 3));
        EXPECT_TRUE(file.WriteAll("", 0));
        EXPECT_TRUE(file.Close());
        EXPECT_FALSE(file.IsOpen());
        EXPECT_TRUE(file.Close()) << "closing again does nothing";
        EXPECT_FALSE(file.WriteAll("x", 1)) << "a closed file takes nothing";
    }
    CFileHandle reading = CFileHandle::OpenForReading(strPath.c_str());
    ASSERT_TRUE(reading.IsOpen());
    EXPECT_EQ(reading.Size(), 3);
    char szText[8] = {};
    EXPECT_EQ(reading.Read(szText, sizeof szText), 3);
    EXPECT_STREQ(szText, "abc");
    reading.Close();

    CFileHandle file = CFileHandle::Create(strPath.c_str());
    FileWriter previous = SetFileWriter(WriteOneShort);
    EXPECT_FALSE(file.WriteAll("abcd", 4)) << "a short write is a failure";
    SetFileWriter(previous);
    EXPECT_TRUE(file.WriteAll("abcd", 4));

    EXPECT_FALSE(CFileHandle::OpenForReading(CTestFiles::FullPath("none.txt").c_str()).IsOpen());
    EXPECT_EQ(CFileHandle().Size(), -1);
}

TEST(OwnedHandles, GdiObjectIsDeletedWhenReplacedOrEnded) {
    HBRUSH hFirst = CreateSolidBrush(RGB(1, 2, 3));
    {
        CBrush brush(hFirst);
        EXPECT_EQ(brush.Get(), hFirst);
        brush.Reset(CreateSolidBrush(RGB(4, 5, 6)));
        EXPECT_EQ(GetObjectType(hFirst), 0u) << "the replaced brush is deleted";
    }
    CFont none;
    EXPECT_TRUE(none.IsEmpty());
}

} // namespace
